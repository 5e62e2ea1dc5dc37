// The DialogView over a real dialog window.
#pragma once

#include <windows.h>

#include "app/dialog_view.h"

namespace morvel::dialogs::win32 {

class Win32DialogView : public app::DialogView {
public:
    void SetWindow(HWND dialog) { dialog_ = dialog; }

    document::OwnerWindow Window() override { return dialog_; }
    std::string GetText(int id) override;
    void SetText(int id, const std::string &text) override;
    int GetInt(int id) override;
    bool IsChecked(int id) override;
    void SetChecked(int id, bool checked) override;
    void Enable(int id, bool enabled) override;
    void ListClear(int id) override;
    void ListAdd(int id, const std::string &line) override;
    void ListFill(int id, const std::vector<std::string> &lines) override;
    void ListSelect(int id, int row) override;
    int ListSelection(int id) override;
    void SetSpinRange(int id, int minimum, int maximum) override;
    void EndDialog(int result) override;
    void SetStripCells(int id, const std::vector<app::StripCell> &cells, int visible) override;
    int ChooseFromMenu(const std::vector<std::pair<std::string, bool>> &items) override;
    void MoveControl(int id, int x, int y, int width, int height) override;
    document::MessageAnswer ShowMessage(const document::MessageRequest &request) override;
    bool ChooseFile(const document::FileChooserRequest &request, document::PathBuffer &path) override;

private:
    HWND dialog_ = nullptr;
};

}  // namespace morvel::dialogs::win32
