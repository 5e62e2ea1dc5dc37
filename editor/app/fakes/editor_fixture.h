// An Editor over the fake ports and a renderer on the recording device,
// started the way the program starts (device, documents, the New command).
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "app/editor.h"
#include "app/fakes/fake_clock.h"
#include "app/fakes/fake_key_store.h"
#include "app/fakes/fake_shell.h"
#include "render/fakes/fake_assets.h"
#include "render/fakes/recording_device.h"
#include "test_documents.h"

namespace morvel::app::fakes {

// Makes controllers from factories the test registers by dialog name.
class FakeDialogFactory : public DialogFactory {
public:
    using Maker = std::function<std::unique_ptr<DialogController>(Editor &)>;
    std::map<std::string, Maker> makers;
    std::unique_ptr<DialogController> Create(const std::string &name, Editor &editor) override {
        const auto found = makers.find(name);
        return found == makers.end() ? nullptr : found->second(editor);
    }
    using ToolMaker = std::function<std::unique_ptr<ToolWindowController>(Editor &)>;
    std::map<std::string, ToolMaker> toolMakers;
    std::unique_ptr<ToolWindowController> CreateToolWindow(const std::string &name, Editor &editor) override {
        const auto found = toolMakers.find(name);
        return found == toolMakers.end() ? nullptr : found->second(editor);
    }
};

// A controller that does nothing: for dialogs whose runs the test plays itself.
class InertController : public DialogController {
public:
    void OnInit(DialogView &) override {}
    void OnCommand(DialogView &, int, int) override {}
};

class EditorFixture : public ::testing::Test {
protected:
    EditorFixture();
    ~EditorFixture() override;
    void SetUp() override;

    // Runs the posted commands, closes and destroys until the queue is empty
    // or the quit message comes; returns the quit code or -1.
    int Pump();
    // The current document becomes contents, as if opened from a file
    // (the selection and the undo history start again).
    void Show(const document::testing::DocumentContents &contents);
    // A motion file with contents (and a user code) in the fixture's folder;
    // returns its path.
    std::string WriteMotionFile(const std::string &name,
                                const document::testing::DocumentContents &contents,
                                const std::string &userCode = "");
    // Parts named in contents load as one-quad meshes.
    void MakePartsLoadable(const document::testing::DocumentContents &contents);
    std::string FilePath() const;
    MotionFileHeader &Header() { return editor.state.currentDocument.document.header; }
    document::testing::DocumentContents Current() {
        return document::testing::Describe(editor.state.currentDocument.document);
    }

    FakeShell shell;
    FakeKeyStore keys;
    FakeDialogFactory dialogs;
    render::fakes::RecordingSystem *system = nullptr;
    render::SceneRenderer renderer;
    FakeClock clock;
    Editor editor;
    document::testing::TempFolder folder;
    render::fakes::RecordingDevice *device = nullptr;
};

}  // namespace morvel::app::fakes
