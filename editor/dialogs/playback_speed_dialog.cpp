#include "dialogs/playback_speed_dialog.h"

#include <string>

#include "app/playback.h"

namespace morvel::dialogs {

namespace {

// The typed number, or -1 when the text is not a plain whole number.
int WholeNumber(const std::string &text) {
    if (text.empty() || text.size() > 3) return -1;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

void PlaybackSpeedDialog::OnInit(app::DialogView &view) {
    view.SetSpinRange(IDC_SPEED_SPIN, app::kMinFramesPerSecond, app::kMaxFramesPerSecond);
    view.SetText(IDC_SPEED_EDIT, std::to_string(settings_.framesPerSecond));
}

void PlaybackSpeedDialog::OnCommand(app::DialogView &view, int id, int) {
    if (id == app::kDialogCancel) {
        view.EndDialog(0);
        return;
    }
    if (id != app::kDialogOk) return;
    const int value = WholeNumber(view.GetText(IDC_SPEED_EDIT));
    if (value < app::kMinFramesPerSecond || value > app::kMaxFramesPerSecond) {
        view.ShowMessage({view.Window(), "1から60までの数を入力してください。", "再生速度",
                          document::MessageIcon::Warning, document::MessageButtons::Ok});
        return;
    }
    settings_.framesPerSecond = value;
    view.EndDialog(0);
}

}  // namespace morvel::dialogs
