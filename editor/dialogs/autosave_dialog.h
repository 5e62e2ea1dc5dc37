// The autosave settings dialog (IDD_AUTOSAVE): the interval in minutes,
// decimals allowed ("0.5" is 30 seconds), 0 for off.
#pragma once

#include <string>

#include "app/dialog_view.h"

namespace morvel::dialogs {

// The typed minutes as whole seconds (at least 1 unless 0), or -1 for
// anything but a plain decimal number from 0 to a day.
int AutosaveSecondsFromText(const std::string &text);
// Seconds as the dialog shows them in minutes: "5", "0.5", "0.05".
std::string AutosaveMinutesText(int seconds);

class AutosaveDialog : public app::DialogController {
public:
    explicit AutosaveDialog(int &intervalSeconds) : intervalSeconds_(intervalSeconds) {}
    void OnInit(app::DialogView &view) override;
    void OnCommand(app::DialogView &view, int id, int notifyCode) override;

private:
    int &intervalSeconds_;
};

}  // namespace morvel::dialogs
