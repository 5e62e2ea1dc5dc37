// An editor over fakes with one dialog controller on a fake view, for the
// dialogs' tests: open the dialog, press its buttons, pick rows.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/fakes/editor_fixture.h"
#include "app/fakes/fake_dialog_view.h"
#include "test_documents.h"

namespace morvel::dialogs::testing {

// A fake view that runs a test's code while a chooser or a message box is
// up: a chooser may leave another folder current, a redraw may come while a
// message waits.
class HookedView : public app::fakes::FakeDialogView {
public:
    std::function<void()> whileChoosing;
    std::function<void()> whileShowing;
    bool ChooseFile(const document::FileChooserRequest &request,
                    document::PathBuffer &path) override {
        if (whileChoosing) whileChoosing();
        return FakeDialogView::ChooseFile(request, path);
    }
    document::MessageAnswer ShowMessage(const document::MessageRequest &request) override {
        if (whileShowing) whileShowing();
        return FakeDialogView::ShowMessage(request);
    }
};

class ControllerFixture : public app::fakes::EditorFixture {
protected:
    using Maker = std::unique_ptr<app::DialogController> (*)(app::Editor &);

    // Shows contents as the current document, then opens the dialog on it.
    void Open(Maker make, const document::testing::DocumentContents &contents) {
        Show(contents);
        controller = make(editor);
        controller->OnInit(view);
    }
    void Press(int id) { controller->OnCommand(view, id, app::kNotifyClicked); }
    void PickRow(int list, int row) {
        view[list].selection = row;
        controller->OnCommand(view, list, app::kNotifyListSelChange);
    }
    void DoubleClickRow(int list, int row) {
        view[list].selection = row;
        controller->OnCommand(view, list, app::kNotifyListDoubleClick);
    }
    // Every message shown so far as "caption: text".
    std::vector<std::string> Messages() const {
        std::vector<std::string> shown;
        for (const auto &m : view.messages) shown.push_back(m.caption + ": " + m.text);
        return shown;
    }
    document::EditorDocument &Working() { return editor.state.workingDocument; }
    std::vector<uint8_t> CurrentBytes() {
        return document::testing::EncodedBytes(editor.state.currentDocument.document);
    }

    HookedView view;
    std::unique_ptr<app::DialogController> controller;
};

}  // namespace morvel::dialogs::testing
