#include "app/fakes/fake_dialog_view.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace morvel::app::fakes {

// GetDlgItemInt, signed, as the platform reads it: leading blanks, an
// optional sign, then digits up to the first other character; a text that
// does not start a number, or a number beyond the 32-bit range, reads 0.
int FakeDialogView::GetInt(int id) {
    const std::string &text = controls[id].text;
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    int64_t value = 0;
    bool any = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > int64_t{INT32_MAX} + 1) return 0;
        any = true;
    }
    if (!any) return 0;
    if (negative) value = -value;
    if (value >= INT32_MAX || value <= INT32_MIN) return 0;
    return static_cast<int>(value);
}

document::MessageAnswer FakeDialogView::ShowMessage(const document::MessageRequest &request) {
    messages.push_back(request);
    if (answers_.empty()) {
        return request.buttons == document::MessageButtons::YesNo ? document::MessageAnswer::No
                                                                  : document::MessageAnswer::Ok;
    }
    const document::MessageAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

bool FakeDialogView::ChooseFile(const document::FileChooserRequest &request,
                                document::PathBuffer &path) {
    chooserRequests.push_back(request);
    if (choices_.empty()) return false;
    const std::optional<std::string> choice = choices_.front();
    choices_.pop_front();
    if (!choice) return false;
    path.fill('\0');
    std::memcpy(path.data(), choice->data(), std::min(choice->size(), path.size() - 1));
    return true;
}

}  // namespace morvel::app::fakes
