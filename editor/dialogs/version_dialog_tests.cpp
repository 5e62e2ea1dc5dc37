#include <gtest/gtest.h>

#include <deque>

#include "app/command_dispatch.h"
#include "app/command_ids.h"
#include "app/fakes/editor_fixture.h"
#include "app/fakes/fake_dialog_view.h"
#include "dialogs/scrambled_text.h"
#include "dialogs/version_dialog.h"

namespace morvel::dialogs {
namespace {

// Every step works: the probe reports 8.0. Counts the probes.
class PresentDirectX : public DirectXComponents {
public:
    bool Run(DirectXStep step) override {
        if (step == DirectXStep::LoadDirectDraw) ++probes;
        return static_cast<int>(step) < failAt;
    }
    void Release(DirectXRelease) override {}
    void ReleaseAll() override {}
    void DebugText(const char *) override {}
    int probes = 0;
    int failAt = kDirectXStepCount + 1;
};

SystemInformation Example() {
    SystemInformation info;
    info.programVersion = "2.01";
    info.libraryVersion = "1.00";
    info.directXVersion = 0x800;
    info.deviceTypeText = "REF SOFTWARE";
    info.viewRight = 640;
    info.viewBottom = 452;
    return info;
}

TEST(VersionLinesTest, TheFiveLinesInTheirByteExactForms) {
    // Written as code page 932 bytes: a half-width colon or an "x" in
    // place of the full-width ones would pass a test written in the same
    // characters as the code.
    const std::string wideSpaces = "\x81\x40\x81\x40";
    const std::string wideColon = "\x81\x46";
    const std::string times = "\x81\x7E";
    const std::vector<std::string> lines = SystemInformationLines(Example());
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "システム情報----");
    EXPECT_EQ(lines[1], wideSpaces + "Morvelバージョン(Morvl.EXE)" + wideColon + "Ver 2.01");
    EXPECT_EQ(lines[2], wideSpaces + "Mvlライブラリ(MvlLib.DLL)" + wideColon + "Ver 1.00");
    EXPECT_EQ(lines[3], wideSpaces + "DirectX(本ソフト認識)" + wideColon + "Ver 8.0");
    EXPECT_EQ(lines[4],
              wideSpaces + "Direct3D-mode" + wideColon + "REF SOFTWARE 640" + times + "452");
}

TEST(VersionLinesTest, DirectXVersionsShowMajorDotMinor) {
    SystemInformation info = Example();
    for (const auto &[value, shown] :
         {std::pair{0x0u, "Ver 0.0"}, std::pair{0x601u, "Ver 6.1"}, std::pair{0x700u, "Ver 7.0"},
          std::pair{0x800u, "Ver 8.0"}}) {
        info.directXVersion = value;
        const std::string line = SystemInformationLines(info)[3];
        EXPECT_EQ(line.substr(line.size() - std::string(shown).size()), shown) << value;
    }
}

TEST(VersionLinesTest, OddDeviceTextsAndViewSizesAreShownWhole) {
    SystemInformation info = Example();
    info.deviceTypeText = "";  // no device was created
    info.viewRight = -1;
    info.viewBottom = 100000;
    EXPECT_EQ(SystemInformationLines(info)[4], "　　Direct3D-mode： -1×100000");
    info.deviceTypeText = std::string(300, 'H');
    EXPECT_NE(SystemInformationLines(info)[4].find(std::string(300, 'H') + " -1×100000"),
              std::string::npos);
}

TEST(VersionTextsTest, ProductNoticeAndFixedText) {
    EXPECT_EQ(ProductLine(), "Morvel Version 2.01");
    EXPECT_EQ(LibraryVersion(), "1.00") << "the linked library's own text";
    // 175 dialog units of a monospaced face hold 43 half-width cells; a
    // double-byte character takes two, as it takes two bytes.
    EXPECT_LE(VersionNotice().size(), 43u);
    EXPECT_NE(VersionNotice().find("mvl.hlp"), std::string::npos);
    const std::string text = VersionFixedText();
    EXPECT_NE(text.find("モーションデータ"), std::string::npos);
    EXPECT_NE(text.find("mvl.hlp"), std::string::npos);
    EXPECT_EQ(text.find('\0'), std::string::npos);
    EXPECT_NE(text.find("\r\n"), std::string::npos) << "lines of a multi-line edit";
}

TEST(VersionTextsTest, AScrambledTextHoldsNoneOfItsPlainBytes) {
    constexpr ScrambledText scrambled("help: mvl.hlp, mvl.hlp\xff\x81\x40");
    EXPECT_EQ(scrambled.Text(), "help: mvl.hlp, mvl.hlp\xff\x81\x40");
    const std::string bytes(scrambled.Bytes().begin(), scrambled.Bytes().end());
    EXPECT_EQ(bytes.find("mvl"), std::string::npos);
    EXPECT_NE(bytes.substr(6, 7), bytes.substr(15, 7))
        << "a repeated word leaves no repeated bytes";
}

class VersionDialogTest : public app::fakes::EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        dialogs.makers["IDD_HELP_VERSION"] = [this](app::Editor &e) {
            return MakeVersionDialog(e, &directX);
        };
        // Each opening: the controller fills a fresh view, then the script
        // presses what the test wants.
        shell.dialogRunner = [this](const std::string &, app::DialogController &controller) {
            views.emplace_back();
            app::fakes::FakeDialogView &view = views.back();
            controller.OnInit(view);
            for (const auto &[id, notify] : presses) {
                if (view.ended) break;
                controller.OnCommand(view, id, notify);
            }
            return true;
        };
    }
    app::fakes::FakeDialogView &Shown() { return views.back(); }

    PresentDirectX directX;
    std::vector<std::pair<int, int>> presses{{kVersionClose, app::kNotifyClicked}};
    std::deque<app::fakes::FakeDialogView> views;
};

TEST_F(VersionDialogTest, TheVersionCommandFillsEveryControl) {
    editor.state.deviceTypeText = "HAL HARDWARE";
    editor.state.viewRect = {0, 31, 800, 577};
    app::RunCommand(editor, CMD_HELP_VERSION);
    ASSERT_EQ(views.size(), 1u);
    app::fakes::FakeDialogView &view = Shown();
    EXPECT_EQ(view[kVersionProduct].text, "Morvel Version 2.01");
    EXPECT_EQ(view[kVersionNotice].text, VersionNotice());
    EXPECT_EQ(view[kVersionText].text, VersionFixedText());
    EXPECT_EQ(view[kVersionSystemList].rows,
              (std::vector<std::string>{
                  "システム情報----", "　　Morvelバージョン(Morvl.EXE)：Ver 2.01",
                  "　　Mvlライブラリ(MvlLib.DLL)：Ver 1.00", "　　DirectX(本ソフト認識)：Ver 8.0",
                  "　　Direct3D-mode：HAL HARDWARE 800×577"}));
    EXPECT_EQ(view[kVersionSystemList].selection, app::kNoSelection);
    EXPECT_TRUE(view.ended);
    EXPECT_EQ(view.result, 0);
    EXPECT_TRUE(view.messages.empty()) << "the dialog shows no messages";
    EXPECT_TRUE(shell.messages.empty());
}

TEST_F(VersionDialogTest, EachOpeningProbesAgainAndShowsTheViewSizeOfThatMoment) {
    editor.state.deviceTypeText = "HAL SOFTWARE";
    editor.state.viewRect = {0, 31, 640, 452};
    app::RunCommand(editor, CMD_HELP_VERSION);
    editor.state.viewRect = {0, 31, 1024, 700};
    directX.failAt = static_cast<int>(DirectXStep::LoadDirect3D8);  // 7.0 now
    app::RunCommand(editor, CMD_HELP_VERSION);
    ASSERT_EQ(views.size(), 2u);
    EXPECT_EQ(directX.probes, 2);
    EXPECT_EQ(views[0][kVersionSystemList].rows[4], "　　Direct3D-mode：HAL SOFTWARE 640×452");
    EXPECT_EQ(views[1][kVersionSystemList].rows[3], "　　DirectX(本ソフト認識)：Ver 7.0");
    EXPECT_EQ(views[1][kVersionSystemList].rows[4], "　　Direct3D-mode：HAL SOFTWARE 1024×700");
    EXPECT_EQ(views[1][kVersionSystemList].rows.size(), 5u) << "the list starts empty each time";
}

TEST_F(VersionDialogTest, OnlyCloseAndEscapeEndTheDialog) {
    presses = {{1, app::kNotifyClicked},  // Enter
               {kVersionSystemList, app::kNotifyListSelChange},
               {kVersionSystemList, app::kNotifyListDoubleClick},
               {kVersionText, 0x0100}};  // EN_SETFOCUS
    app::RunCommand(editor, CMD_HELP_VERSION);
    EXPECT_FALSE(Shown().ended);
    app::fakes::FakeDialogView &view = Shown();
    VersionDialog dialog(editor.state, &directX);
    dialog.OnCommand(view, kVersionClose, app::kNotifyClicked);  // the button, or Escape
    EXPECT_TRUE(view.ended);
    EXPECT_EQ(view.result, 0);
}

TEST_F(VersionDialogTest, WithoutDirectXTheLineShowsVersionZero) {
    dialogs.makers["IDD_HELP_VERSION"] = [](app::Editor &e) {
        return MakeVersionDialog(e, nullptr);
    };
    app::RunCommand(editor, CMD_HELP_VERSION);
    EXPECT_EQ(Shown()[kVersionSystemList].rows[3], "　　DirectX(本ソフト認識)：Ver 0.0");
}

}  // namespace
}  // namespace morvel::dialogs
