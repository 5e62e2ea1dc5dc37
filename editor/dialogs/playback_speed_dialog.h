// The playback speed dialog (IDD_PLAYBACK_SPEED): frames per second, 1 to 60.
#pragma once

#include "app/control_ids.h"
#include "app/dialog_view.h"
#include "app/editor_state.h"

namespace morvel::dialogs {

class PlaybackSpeedDialog : public app::DialogController {
public:
    explicit PlaybackSpeedDialog(app::PlaybackSettings &settings) : settings_(settings) {}
    void OnInit(app::DialogView &view) override;
    void OnCommand(app::DialogView &view, int id, int notifyCode) override;

private:
    app::PlaybackSettings &settings_;
};

}  // namespace morvel::dialogs
