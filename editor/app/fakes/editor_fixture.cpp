#include "app/fakes/editor_fixture.h"

#include "app/command_dispatch.h"
#include "app/command_ids.h"
#include "app/file_commands.h"
#include "app/history.h"
#include "app/main_window_events.h"
#include "app/redraw.h"
#include "base/field_text.h"
#include "formats/motion/motion_file_writer.h"
#include "render/asset_loaders.h"

namespace morvel::app::fakes {

EditorFixture::EditorFixture()
    : renderer(
          [this](uint32_t) {
              auto created = std::make_unique<render::fakes::RecordingSystem>();
              system = created.get();
              return created;
          },
          render::fakes::FakeAssets::Loaders()),
      editor(shell, keys, renderer, dialogs, nullptr, clock) {}

EditorFixture::~EditorFixture() { render::fakes::FakeAssets::Reset(); }

void EditorFixture::SetUp() {
    render::fakes::FakeAssets::Reset();
    ASSERT_EQ(renderer.InitDevice(shell.MainWindow()), render::kInitHalHardware);
    device = system->createdDevice;
    renderer.SetPresentRect({0, 31, 640, 460});
    document::InitDocument(editor.state.currentDocument);
    document::InitDocument(editor.state.workingDocument);
    NewCommand(editor);
    shell.calls.clear();
    shell.messages.clear();
}

int EditorFixture::Pump() {
    for (int guard = 0; guard < 100 && !shell.posted.empty(); ++guard) {
        const Posted next = shell.posted.front();
        shell.posted.pop_front();
        switch (next.kind) {
            case kPostedCommand: RunCommand(editor, next.value); break;
            case kPostedClose: CloseRequested(editor); break;
            case kPostedDestroy: Destroyed(editor); break;
            case kPostedQuit: return next.value;
        }
    }
    return -1;
}

void EditorFixture::MakePartsLoadable(const document::testing::DocumentContents &contents) {
    for (const std::string &part : contents.parts) {
        render::fakes::FakeAssets::meshes[part] =
            render::fakes::MakeMesh(0x112, 1);
    }
}

void EditorFixture::Show(const document::testing::DocumentContents &contents) {
    MakePartsLoadable(contents);
    EditorState &state = editor.state;
    document::testing::Fill(state.currentDocument.document, contents);
    document::LoadPartMeshes(state.currentDocument, renderer);
    state.currentDocument.selectedMotion = 0;
    state.currentDocument.selectedFrame = 0;
    state.currentDocument.selectedPosition = 0;
    ResetUndo(state);
}

std::string EditorFixture::WriteMotionFile(const std::string &name,
                                           const document::testing::DocumentContents &contents,
                                           const std::string &userCode) {
    document::testing::OwnedDocument doc(contents);
    base::StoreFieldText(doc->header.userCode, sizeof doc->header.userCode, userCode);
    const std::string path = folder.Path(name);
    EXPECT_TRUE(formats::motion::WriteMotionFile(doc.Get(), path));
    return path;
}

std::string EditorFixture::FilePath() const {
    return base::BufferText(editor.state.filePath.data(), editor.state.filePath.size());
}

}  // namespace morvel::app::fakes
