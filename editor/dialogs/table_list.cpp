#include "dialogs/table_list.h"

#include <algorithm>
#include <cstdio>

#include "base/cp932_text.h"

namespace morvel::dialogs {

const char kPickRowText[] = "一覧からアイテムを指定してください。";
const char kNoSuchNumberText[] = "指定されたNo.はありません。";

void RefillList(app::DialogView &view, int listId, const std::vector<std::string> &rows,
                int wanted) {
    view.ListFill(listId, rows);
    if (rows.empty()) return;
    const int last = static_cast<int>(rows.size()) - 1;
    view.ListSelect(listId, std::clamp(wanted, 0, last));
}

int ClampRow(int wanted, int count) {
    if (wanted >= count) return count - 1;
    return wanted < 0 ? 0 : wanted;
}

int SelectedRow(app::DialogView &view, int listId, int count) {
    const int row = view.ListSelection(listId);
    return row >= 0 && row < count ? row : app::kNoSelection;
}

void EnableMoveButtons(app::DialogView &view, int upId, int downId, int row, int count) {
    const bool selected = row >= 0 && row < count;
    view.Enable(upId, selected && row != 0);
    view.Enable(downId, selected && row != count - 1);
}

std::string ReadField(app::DialogView &view, int id, size_t maxBytes) {
    const std::string text = view.GetText(id);
    return text.substr(0, base::Cp932PrefixLength(text, maxBytes));
}

std::string RowNumber(int index) {
    char text[32];
    std::snprintf(text, sizeof text, "%6d｜", index);
    return text;
}

document::MessageAnswer Tell(app::DialogView &view, const char *caption, const std::string &text,
                             document::MessageIcon icon, document::MessageButtons buttons) {
    return view.ShowMessage({view.Window(), text, caption, icon, buttons});
}

}  // namespace morvel::dialogs
