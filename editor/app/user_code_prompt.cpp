#include "app/user_code_prompt.h"

#include <cstring>

#include "document/field_text.h"

namespace morvel::app {

void UserCodePrompt::OnInit(DialogView &) { buffer_.fill('\0'); }

void UserCodePrompt::OnCommand(DialogView &view, int id, int) {
    if (id == kDialogOk) {
        buffer_.fill('\0');
        const std::string text = view.GetText(kUserCodeEdit);
        std::memcpy(buffer_.data(), text.data(),
                    document::Cp932PrefixLength(text, kUserCodeMaxBytes));
        view.EndDialog(0);
    } else if (id == kDialogCancel) {
        buffer_[0] = static_cast<char>(kUserCodeCancelled);
        view.EndDialog(0);
    }
}

bool UserCodeCancelled(const UserCodeBuffer &buffer) {
    return static_cast<unsigned char>(buffer[0]) == kUserCodeCancelled;
}

}  // namespace morvel::app
