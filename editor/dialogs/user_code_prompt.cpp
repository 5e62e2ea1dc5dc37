#include "dialogs/user_code_prompt.h"

#include <cstring>

#include "base/cp932_text.h"

namespace morvel::dialogs {

void UserCodePrompt::OnInit(app::DialogView &) {
    buffer_.fill('\0');
}

void UserCodePrompt::OnCommand(app::DialogView &view, int id, int) {
    if (id == app::kDialogOk) {
        buffer_.fill('\0');
        const std::string text = view.GetText(kUserCodeEdit);
        std::memcpy(buffer_.data(), text.data(), base::Cp932PrefixLength(text, kUserCodeMaxBytes));
        view.EndDialog(0);
    } else if (id == app::kDialogCancel) {
        buffer_[0] = static_cast<char>(app::kUserCodeCancelled);
        view.EndDialog(0);
    }
}

}  // namespace morvel::dialogs
