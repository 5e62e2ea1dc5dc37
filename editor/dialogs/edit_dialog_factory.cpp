#include "dialogs/edit_dialog_factory.h"

#include <cstring>

#include "dialogs/autosave_dialog.h"
#include "dialogs/frame_dialog.h"
#include "dialogs/header_dialog.h"
#include "dialogs/history_window.h"
#include "dialogs/motion_dialog.h"
#include "dialogs/parts_dialog.h"
#include "dialogs/playback_speed_dialog.h"
#include "dialogs/position_dialog.h"
#include "dialogs/recovery_question.h"
#include "dialogs/timeline_window.h"
#include "dialogs/user_code_prompt.h"
#include "dialogs/version_dialog.h"

namespace morvel::dialogs {

namespace {

using Maker = std::unique_ptr<app::DialogController> (*)(app::Editor &);

struct Entry {
    const char *templateName;
    Maker make;
};

// The dialogs the program has, by template name.
const Entry kDialogs[] = {
    {"IDD_EDIT_HEAD", MakeHeaderDialog},
    {"IDD_EDIT_PARTS", MakePartsDialog},
    {"IDD_EDIT_MOTION", MakeMotionDialog},
    {"IDD_EDIT_FRAME", MakeFrameDialog},
    {"IDD_EDIT_POSITION", MakePositionDialog},
};

}  // namespace

std::unique_ptr<app::DialogController> EditDialogFactory::Create(const std::string &name,
                                                                 app::Editor &editor) {
    // The one dialog that needs more than the editor: the platform's DirectX.
    if (name == "IDD_HELP_VERSION") return MakeVersionDialog(editor, directX_);
    if (name == "IDD_USERCODE") return std::make_unique<UserCodePrompt>(editor.state.userCode);
    if (name == "IDD_PLAYBACK_SPEED") {
        return std::make_unique<PlaybackSpeedDialog>(editor.state.playbackSettings);
    }
    if (name == "IDD_AUTOSAVE") {
        return std::make_unique<AutosaveDialog>(editor.state.autosave.intervalSeconds);
    }
    if (name == "IDD_RECOVERY") return std::make_unique<RecoveryQuestion>(editor.state.recoveryOffer);
    for (const Entry &entry : kDialogs) {
        if (entry.make != nullptr && name == entry.templateName) return entry.make(editor);
    }
    return nullptr;
}

std::unique_ptr<app::ToolWindowController> EditDialogFactory::CreateToolWindow(const std::string &name,
                                                                             app::Editor &editor) {
    if (name == "IDD_TIMELINE") return MakeTimelineWindow(editor);
    if (name == "IDD_HISTORY") return MakeHistoryWindow(editor);
    return nullptr;
}

}  // namespace morvel::dialogs
