// The playback speed dialog (IDD_PLAYBACK_SPEED): frames per second, 1 to 60.
#pragma once

#include "app/control_ids.h"
#include "app/dialog_view.h"
#include "app/editor_state.h"

namespace morvel::app {

class PlaybackSpeedDialog : public DialogController {
public:
    explicit PlaybackSpeedDialog(PlaybackSettings &settings) : settings_(settings) {}
    void OnInit(DialogView &view) override;
    void OnCommand(DialogView &view, int id, int notifyCode) override;

private:
    PlaybackSettings &settings_;
};

}  // namespace morvel::app
