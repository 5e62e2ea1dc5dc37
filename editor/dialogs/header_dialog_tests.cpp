#include <gtest/gtest.h>

#include "app/command_dispatch.h"
#include "app/command_ids.h"
#include "base/field_text.h"
#include "controller_fixture.h"
#include "dialogs/edit_dialog_factory.h"
#include "dialogs/header_dialog.h"
#include "dialogs/user_code_prompt.h"
#include "document/parse_decimal.h"
#include "formats/motion/motion_file_writer.h"

namespace morvel::dialogs {
namespace {

using document::testing::DocumentContents;
using document::testing::MakePosition;

DocumentContents TwoPartsThreeMotions() {
    return {{".\\a.x", ".\\b.x"},
            {{"walk", "", {{"f0", {MakePosition(0, 1)}}, {"f1", {MakePosition(1, 2)}}}},
             {"idle", "", {}},
             {"jump", "", {{"up", {MakePosition(1, 3)}}}}}};
}

class HeaderDialogTest : public testing::ControllerFixture {
protected:
    void OpenDialog() {
        controller = MakeHeaderDialog(editor);
        controller->OnInit(view);
    }
    MotionFileHeader &CurrentHeader() { return editor.state.currentDocument.document.header; }
    std::vector<bool> Checked(std::initializer_list<int> ids) {
        std::vector<bool> states;
        for (int id : ids) states.push_back(view[id].checked);
        return states;
    }
    std::vector<bool> Culling() {
        return Checked({IDC_HEADER_CULL_NONE, IDC_HEADER_CULL_RIGHT, IDC_HEADER_CULL_LEFT});
    }
    std::vector<bool> Axes() {
        return Checked({IDC_HEADER_AXIS_X, IDC_HEADER_AXIS_Y, IDC_HEADER_AXIS_Z});
    }
    std::vector<int> CurrentSelection() {
        const document::EditorDocument &d = editor.state.currentDocument;
        return {d.selectedMotion, d.selectedFrame, d.selectedPosition};
    }
};

TEST_F(HeaderDialogTest, ANewDocumentOpensWithItsDefaults) {
    view[IDC_HEADER_PART_COUNT].text = "9999";
    OpenDialog();
    EXPECT_EQ(view[IDC_HEADER_USER_CODE].text, "");
    EXPECT_EQ(view[IDC_HEADER_PART_COUNT].text, "0");
    EXPECT_EQ(view[IDC_HEADER_MOTION_COUNT].text, "0");
    EXPECT_EQ(Culling(), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(Axes(), (std::vector<bool>{true, true, true}));
    EXPECT_FALSE(view[IDC_HEADER_RIGHT_HANDED].checked);
    for (int id : {IDC_HEADER_SCALE_X, IDC_HEADER_SCALE_Y, IDC_HEADER_SCALE_Z}) {
        EXPECT_EQ(view[id].text, "100.000000") << id;
    }
}

TEST_F(HeaderDialogTest, ShowsTheCountsAndTheSettingsOfTheDocument) {
    Show(TwoPartsThreeMotions());
    base::StoreFieldText(Header().userCode, sizeof Header().userCode, "secret");
    Header().cullingMode = 1;
    Header().axisDirection = 2;
    Header().rightHanded = 7;
    Header().initialScale = {1.5, -0.25, 1e300};
    OpenDialog();
    EXPECT_EQ(view[IDC_HEADER_USER_CODE].text, "secret");
    EXPECT_EQ(view[IDC_HEADER_PART_COUNT].text, "2");
    EXPECT_EQ(view[IDC_HEADER_MOTION_COUNT].text, "3");
    EXPECT_EQ(Culling(), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(Axes(), (std::vector<bool>{false, true, false}));
    EXPECT_TRUE(view[IDC_HEADER_RIGHT_HANDED].checked);
    EXPECT_EQ(view[IDC_HEADER_SCALE_X].text, "1.500000");
    EXPECT_EQ(view[IDC_HEADER_SCALE_Y].text, "-0.250000");
    EXPECT_EQ(view[IDC_HEADER_SCALE_Z].text.size(), 308u) << "301 digits, the point and six";
}

TEST_F(HeaderDialogTest, CommitStoresTheFieldsAppliesTheViewAndIsOneUndoStep) {
    Show(TwoPartsThreeMotions());
    editor.state.currentDocument.selectedMotion = 2;
    const MvlRgbaF64 ambient = Header().initialAmbient;
    OpenDialog();
    view[IDC_HEADER_USER_CODE].text = "ABCDEFGHIJKLMNOPQRST";
    view[IDC_HEADER_AXIS_Y].checked = false;
    view[IDC_HEADER_RIGHT_HANDED].checked = true;
    view[IDC_HEADER_CULL_LEFT].checked = false;
    view[IDC_HEADER_CULL_NONE].checked = true;
    view[IDC_HEADER_SCALE_X].text = "50";
    view[IDC_HEADER_SCALE_Y].text = "x1.5y";
    // Only 19 characters are read: the misplaced sign after them is not seen.
    view[IDC_HEADER_SCALE_Z].text = std::string(17, '0') + "12-";
    Press(IDC_HEADER_COMMIT);

    EXPECT_TRUE(view.ended);
    EXPECT_EQ(view.result, 0);
    EXPECT_EQ(base::FieldText(Header().userCode, sizeof Header().userCode), "ABCDEFGHIJKLMNO");
    EXPECT_EQ(Header().axisDirection, 5);
    EXPECT_EQ(Header().rightHanded, 1);
    EXPECT_EQ(Header().cullingMode, 0);
    EXPECT_EQ(Header().initialScale.x, 50.0);
    EXPECT_EQ(Header().initialScale.y, document::ParseDecimal("1.5"));
    EXPECT_EQ(Header().initialScale.z, 12.0);
    EXPECT_EQ(Header().initialAmbient.r, ambient.r);
    EXPECT_EQ(Current().motions.size(), 3u);

    EXPECT_EQ(renderer.StoredCullMode(), 0);
    EXPECT_EQ(renderer.StoredRightHanded(), 1);
    EXPECT_EQ(renderer.StoredAxisDirection(), 5);
    EXPECT_EQ(editor.state.undo.UndoCount(), 1);
    EXPECT_EQ(FilePath(), "\x01");
    EXPECT_EQ(editor.state.scene.sceneReady, 1);
    EXPECT_EQ(CurrentSelection(), (std::vector<int>{2, 0, 0}));
    EXPECT_EQ(editor.state.currentDocument.partMeshes.size(), 2u);
}

TEST_F(HeaderDialogTest, ACutUserCodeIsTheOneAFileOpensWith) {
    OpenDialog();
    view[IDC_HEADER_USER_CODE].text = std::string(14, 'k') + "あいう";
    Press(IDC_HEADER_COMMIT);
    EXPECT_EQ(base::FieldText(Header().userCode, sizeof Header().userCode), std::string(14, 'k'));

    const std::string path = folder.Path("locked.mvl");
    ASSERT_TRUE(formats::motion::WriteMotionFile(editor.state.currentDocument.document, path));
    document::testing::OwnedDocument loaded;
    EXPECT_EQ(Mvl_Func_Load(&loaded.Get(), path.c_str(), (std::string(14, 'k') + "あいう").c_str()),
              MVL_LOAD_BAD_USER_CODE);
    EXPECT_EQ(Mvl_Func_Load(&loaded.Get(), path.c_str(), std::string(14, 'k').c_str()),
              MVL_LOAD_OK);
}

TEST_F(HeaderDialogTest, ACullingModeOutsideTheButtonsIsKeptUnlessOneIsPicked) {
    Header().cullingMode = 5;
    OpenDialog();
    EXPECT_EQ(Culling(), (std::vector<bool>{false, false, false}));
    Press(IDC_HEADER_COMMIT);
    EXPECT_EQ(Header().cullingMode, 5);

    app::fakes::FakeDialogView again;
    controller = MakeHeaderDialog(editor);
    controller->OnInit(again);
    again[IDC_HEADER_CULL_RIGHT].checked = true;
    controller->OnCommand(again, IDC_HEADER_COMMIT, app::kNotifyClicked);
    EXPECT_EQ(Header().cullingMode, 1);
}

TEST_F(HeaderDialogTest, CancelEscapeAndEnterLeaveTheHeader) {
    Show(TwoPartsThreeMotions());
    const std::vector<uint8_t> before = CurrentBytes();
    const int cull = renderer.StoredCullMode();
    OpenDialog();
    view[IDC_HEADER_AXIS_X].checked = false;
    view[IDC_HEADER_CULL_NONE].checked = true;
    view[IDC_HEADER_USER_CODE].text = "code";
    controller->OnCommand(view, IDC_HEADER_AXIS_X, app::kNotifyClicked);
    Press(app::kDialogOk);
    EXPECT_FALSE(view.ended);
    Press(app::kDialogCancel);
    EXPECT_TRUE(view.ended);
    EXPECT_EQ(CurrentBytes(), before);
    EXPECT_EQ(renderer.StoredCullMode(), cull);
    EXPECT_EQ(editor.state.undo.UndoCount(), 0);
    EXPECT_EQ(FilePath(), "");
}

TEST_F(HeaderDialogTest, TheHeaderCommandRunsTheDialogOfTheProgramsTable) {
    dialogs.makers["IDD_EDIT_HEAD"] = [](app::Editor &e) {
        return EditDialogFactory().Create("IDD_EDIT_HEAD", e);
    };
    shell.dialogRunner = [](const std::string &, app::DialogController &dialog) {
        app::fakes::FakeDialogView v;
        dialog.OnInit(v);
        v[IDC_HEADER_CULL_LEFT].checked = false;
        v[IDC_HEADER_CULL_RIGHT].checked = true;
        dialog.OnCommand(v, IDC_HEADER_COMMIT, app::kNotifyClicked);
        return v.ended;
    };
    device->ClearCalls();
    app::RunCommand(editor, CMD_EDIT_HEADER);
    EXPECT_EQ(Header().cullingMode, 1);
    EXPECT_EQ(renderer.StoredCullMode(), 1);
    EXPECT_EQ(device->Count("Present"), 1u);
}

}  // namespace
}  // namespace morvel::dialogs
