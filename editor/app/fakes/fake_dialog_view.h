// A dialog's controls as plain state, for the controller tests: texts,
// check marks, enabled states, list boxes, and scripted message boxes and
// file choosers.
#pragma once

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/dialog_view.h"

namespace morvel::app::fakes {

class FakeDialogView : public DialogView {
public:
    struct Control {
        std::string text;
        bool checked = false;
        bool enabled = true;
        std::vector<std::string> rows;
        int selection = kNoSelection;
        std::vector<StripCell> cells;
        int visibleCell = -1;
        int cellPushes = 0;  // SetStripCells calls
    };
    std::map<int, Control> controls;
    std::vector<document::MessageRequest> messages;
    std::vector<document::FileChooserRequest> chooserRequests;
    bool ended = false;
    int result = -1;
    int fills = 0;  // ListFill and ListClear calls

    // Menu choices ChooseFromMenu answers with, in order; -1 when none are left.
    std::deque<int> menuChoices;
    std::vector<std::vector<std::pair<std::string, bool>>> menusShown;

    void WillAnswer(document::MessageAnswer answer) { answers_.push_back(answer); }
    void WillChooseFile(const std::string &path) { choices_.push_back(path); }
    void WillCancelChooser() { choices_.push_back(std::nullopt); }

    Control &operator[](int id) { return controls[id]; }

    document::OwnerWindow Window() override { return this; }
    std::string GetText(int id) override { return controls[id].text; }
    void SetText(int id, const std::string &text) override { controls[id].text = text; }
    int GetInt(int id) override;
    bool IsChecked(int id) override { return controls[id].checked; }
    void SetChecked(int id, bool checked) override { controls[id].checked = checked; }
    void Enable(int id, bool enabled) override { controls[id].enabled = enabled; }
    void ListClear(int id) override {
        ++fills;
        controls[id].rows.clear();
        controls[id].selection = kNoSelection;
    }
    void ListAdd(int id, const std::string &line) override { controls[id].rows.push_back(line); }
    void ListSelect(int id, int row) override {
        Control &c = controls[id];
        c.selection = row >= 0 && row < static_cast<int>(c.rows.size()) ? row : kNoSelection;
    }
    int ListSelection(int id) override { return controls[id].selection; }
    void SetSpinRange(int id, int minimum, int maximum) override {
        controls[id].rows = {std::to_string(minimum), std::to_string(maximum)};
    }
    void EndDialog(int value) override {
        ended = true;
        result = value;
    }
    void SetStripCells(int id, const std::vector<StripCell> &cells, int visible) override {
        Control &c = controls[id];
        c.cells = cells;
        if (visible >= 0) c.visibleCell = visible;
        ++c.cellPushes;
    }
    int ChooseFromMenu(const std::vector<std::pair<std::string, bool>> &items) override {
        menusShown.push_back(items);
        if (menuChoices.empty()) return -1;
        const int choice = menuChoices.front();
        menuChoices.pop_front();
        return choice;
    }
    document::MessageAnswer ShowMessage(const document::MessageRequest &request) override;
    bool ChooseFile(const document::FileChooserRequest &request, document::PathBuffer &path) override;

private:
    std::deque<document::MessageAnswer> answers_;
    std::deque<std::optional<std::string>> choices_;
};

}  // namespace morvel::app::fakes
