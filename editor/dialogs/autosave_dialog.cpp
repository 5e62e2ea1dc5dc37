#include "dialogs/autosave_dialog.h"

#include "app/autosave_schedule.h"
#include "dialogs/autosave_dialog_ids.h"

namespace morvel::dialogs {

int AutosaveSecondsFromText(const std::string &text) {
    // Digits, at most one point, at most three decimals: thousandths of a
    // minute are the finest a person types.
    long long thousandths = 0;
    int decimals = -1;  // -1: no point seen yet
    int digits = 0;
    for (char c : text) {
        if (c == '.') {
            if (decimals >= 0) return -1;
            decimals = 0;
            continue;
        }
        if (c < '0' || c > '9' || ++digits > 7) return -1;
        if (decimals >= 0 && ++decimals > 3) return -1;
        thousandths = thousandths * 10 + (c - '0');
    }
    if (digits == 0) return -1;
    for (int d = decimals < 0 ? 0 : decimals; d < 3; ++d) thousandths *= 10;
    const long long seconds = (thousandths * 60 + 500) / 1000;
    if (seconds > app::kMaxAutosaveSeconds) return -1;
    if (seconds == 0 && thousandths > 0) return 1;
    return static_cast<int>(seconds);
}

std::string AutosaveMinutesText(int seconds) {
    std::string text = std::to_string(seconds / 60);
    const int rest = seconds % 60;
    if (rest == 0) return text;
    // Seconds / 60 as three decimals, trailing zeros dropped.
    std::string decimals = std::to_string(1000 + (rest * 1000 + 30) / 60).substr(1);
    while (!decimals.empty() && decimals.back() == '0') decimals.pop_back();
    return decimals.empty() ? text : text + "." + decimals;
}

void AutosaveDialog::OnInit(app::DialogView &view) {
    view.SetText(IDC_AUTOSAVE_MINUTES, AutosaveMinutesText(intervalSeconds_));
}

void AutosaveDialog::OnCommand(app::DialogView &view, int id, int) {
    if (id == app::kDialogCancel) {
        view.EndDialog(0);
        return;
    }
    if (id != app::kDialogOk) return;
    const int seconds = AutosaveSecondsFromText(view.GetText(IDC_AUTOSAVE_MINUTES));
    if (seconds < 0) {
        view.ShowMessage({view.Window(), "0から1440までの分数を入力してください（例: 5、0.5）。",
                          "自動保存", document::MessageIcon::Warning,
                          document::MessageButtons::Ok});
        return;
    }
    intervalSeconds_ = seconds;
    view.EndDialog(1);
}

}  // namespace morvel::dialogs
