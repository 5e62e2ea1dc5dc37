#include "dialogs/recovery_question.h"

#include <cstdio>

#include "base/cp932_text.h"
#include "dialogs/recovery_dialog_ids.h"

namespace morvel::dialogs {

RecoveryTexts TextsOf(const app::RecoveryRecord &record) {
    RecoveryTexts texts;
    const std::string &path = record.documentPath;
    if (path.empty() || static_cast<unsigned char>(path[0]) <= 1) {
        texts.name = "文書: 新規（まだ保存されていない文書）";
    } else {
        // The last backslash that starts a character: a double-byte
        // character's second byte may be 0x5C.
        const size_t separator = base::Cp932FindLastOf(path, "\\");
        const size_t start = separator == std::string::npos ? 0 : separator + 1;
        texts.name = "文書: " + path.substr(start);
        texts.folder = "場所: " + path.substr(0, start);
    }
    char time[96];
    const app::RecoveryTime &t = record.savedAt;
    std::snprintf(time, sizeof time, "自動保存した時刻: %d年%d月%d日 %02d:%02d:%02d", t.year, t.month,
                  t.day, t.hour, t.minute, t.second);
    texts.time = time;
    return texts;
}

void RecoveryQuestion::OnInit(app::DialogView &view) {
    const RecoveryTexts texts = TextsOf(offer_.candidate.record);
    view.SetText(IDC_RECOVERY_NAME, texts.name);
    view.SetText(IDC_RECOVERY_FOLDER, texts.folder);
    view.SetText(IDC_RECOVERY_TIME, texts.time);
    offer_.answer = app::RecoveryAnswer::Keep;
}

void RecoveryQuestion::OnCommand(app::DialogView &view, int id, int) {
    switch (id) {
        case IDC_RECOVERY_RESTORE: offer_.answer = app::RecoveryAnswer::Restore; break;
        case IDC_RECOVERY_DISCARD: offer_.answer = app::RecoveryAnswer::Discard; break;
        case IDC_RECOVERY_KEEP:
        case app::kDialogCancel: offer_.answer = app::RecoveryAnswer::Keep; break;
        default: return;
    }
    view.EndDialog(0);
}

}  // namespace morvel::dialogs
