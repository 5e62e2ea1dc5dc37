// The IDD_USERCODE prompt: asks for the user identification code a
// protected motion file was saved with.
#pragma once

#include "app/control_ids.h"
#include "app/dialog_view.h"
#include "app/editor_state.h"

namespace morvel::app {

// Control ids of the IDD_USERCODE template.
constexpr int kUserCodeEdit = IDC_USERCODE_EDIT;
constexpr int kDialogOk = 1;
constexpr int kDialogCancel = 2;

constexpr unsigned char kUserCodeCancelled = 0xFF;
// The most bytes of the code that are kept (the buffer's size less its NUL).
constexpr size_t kUserCodeMaxBytes = 1023;

class UserCodePrompt : public DialogController {
public:
    explicit UserCodePrompt(UserCodeBuffer &buffer) : buffer_(buffer) {}
    void OnInit(DialogView &view) override;
    void OnCommand(DialogView &view, int id, int notifyCode) override;

private:
    UserCodeBuffer &buffer_;
};

bool UserCodeCancelled(const UserCodeBuffer &buffer);

}  // namespace morvel::app
