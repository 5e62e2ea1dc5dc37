// The system's help viewer opens the shipped mvl.hlp the way the editor asks
// for it (WinHelpA), and shows its Japanese text. Waits on the viewer's
// window, never on fixed delays; leaves what each topic showed in the build
// tree as help_<number>.png.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "app/help_retry.h"
#include "app/win32/help_request.h"
#include "window_capture.h"

namespace {

const char kHelpFile[] = MORVEL_HELP_FILE;
constexpr int kTextControl = 0x701;  // the viewer's topic text (Wine's winhlp32)
constexpr DWORD kPatienceMs = 30000;
constexpr size_t kTextLimit = 1 << 16;

// As the editor asks, the wait for a viewer still starting included (here
// in a loop: the editor waits on a timer).
bool Help(const char *file, UINT command, ULONG_PTR data) {
    using morvel::app::HelpRetry;
    namespace viewer = morvel::app::win32;
    const viewer::HelpRequest request{file, command, data, ""};
    const bool viewerRan = viewer::ViewerWindowExists();
    if (viewer::AskViewer(nullptr, request)) return true;
    if (!HelpRetry::WorthWaiting(viewerRan, command == HELP_QUIT, viewer::ViewerProcessRuns())) {
        return false;
    }
    HelpRetry retry;
    retry.Start(GetTickCount64());
    for (;;) {
        Sleep(HelpRetry::kPollMilliseconds);
        switch (retry.Tick(GetTickCount64(), viewer::ViewerWindowExists(),
                           viewer::ViewerProcessRuns())) {
            case HelpRetry::Step::Wait:
                break;
            case HelpRetry::Step::AskAgain:
                return viewer::AskViewer(nullptr, request);
            case HelpRetry::Step::GiveUp:
                return false;
        }
    }
}

bool UnderWine() {
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

// Under Wine the faces the help file names must lead to an installed
// Japanese font, else its text shows as empty boxes.
void MapJapaneseFaces() {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\Fonts\\Replacements", 0, nullptr, 0,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    const struct {
        const char *face, *font;
    } faces[] = {{"ＭＳ ゴシック", "IPAGothic"}, {"ＭＳ Ｐゴシック", "IPAPGothic"}};
    for (const auto &f : faces) {
        if (RegQueryValueExA(key, f.face, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            RegSetValueExA(key, f.face, 0, REG_SZ, reinterpret_cast<const BYTE *>(f.font),
                           static_cast<DWORD>(strlen(f.font) + 1));
    }
    RegCloseKey(key);
}

struct Viewer {
    HWND window = nullptr;
    std::string text;
};

Viewer FindViewer() {
    Viewer viewer;
    for (HWND w = FindWindowA("MS_WINHELP", nullptr); w;
         w = FindWindowExA(nullptr, w, "MS_WINHELP", nullptr)) {
        if (!IsWindowVisible(w)) continue;
        HWND text = GetDlgItem(w, kTextControl);
        if (!text) continue;
        // The viewer is another process, so GetWindowText would not ask the
        // control; and Wine's rich edit answers WM_GETTEXTLENGTH with 0.
        std::string content(kTextLimit, '\0');
        LRESULT length = SendMessageA(text, WM_GETTEXT, content.size(),
                                      reinterpret_cast<LPARAM>(content.data()));
        content.resize(static_cast<size_t>(std::max<LRESULT>(length, 0)));
        viewer = {w, content};
    }
    return viewer;
}

// Pumps our own messages while the viewer works, until it shows `title`.
// Gives no window if it never does, and the text it showed last.
Viewer WaitForTopic(const std::string &title) {
    DWORD start = GetTickCount();
    Viewer viewer;
    while (GetTickCount() - start < kPatienceMs) {
        viewer = FindViewer();
        if (viewer.window && viewer.text.compare(0, title.size(), title) == 0) return viewer;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
    viewer.window = nullptr;
    return viewer;
}

// Asks each running viewer in turn to quit (a request reaches the first
// one found); a viewer left running would keep the test's output open.
bool QuitEveryViewer() {
    const DWORD start = GetTickCount();
    while (HWND viewer = FindWindowA("MS_WINHELP", nullptr)) {
        Help(kHelpFile, HELP_QUIT, 0);
        while (IsWindow(viewer)) {
            if (GetTickCount() - start >= kPatienceMs) return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        }
    }
    return true;
}

class HelpViewerEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (UnderWine()) MapJapaneseFaces();
    }
    void TearDown() override {
        EXPECT_TRUE(QuitEveryViewer()) << "a viewer outlived HELP_QUIT";
    }
};

const auto *const environment = ::testing::AddGlobalTestEnvironment(new HelpViewerEnvironment);

TEST(HelpViewer, ContentsOpenOnTheirTitleWithLegibleJapaneseText) {
    ASSERT_TRUE(Help(kHelpFile, HELP_CONTEXT, 10000));
    Viewer viewer = WaitForTopic("Morvelの使い方");
    ASSERT_NE(viewer.window, nullptr) << "no help window showed the contents: " << viewer.text;
    EXPECT_NE(viewer.text.find("元に戻す"), std::string::npos);

    // The topic's face must reach a font with Japanese glyphs.
    HDC dc = GetDC(viewer.window);
    HFONT font = CreateFontA(-20, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             FIXED_PITCH | FF_MODERN, "ＭＳ ゴシック");
    HGDIOBJ old = SelectObject(dc, font);
    WORD glyphs[2] = {};
    GetGlyphIndicesW(dc, L"\u76EE\u6B21", 2, glyphs, GGI_MARK_NONEXISTING_GLYPHS);  // 目次
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(viewer.window, dc);
    EXPECT_NE(glyphs[0], 0xFFFF);
    EXPECT_NE(glyphs[1], 0xFFFF);

    SetForegroundWindow(viewer.window);
    RedrawWindow(viewer.window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    morvel::displaytest::Capture shot =
        morvel::displaytest::CaptureClientArea(GetDlgItem(viewer.window, kTextControl));
    ASSERT_GT(shot.width, 100);
    size_t ink = 0;
    for (uint32_t pixel : shot.pixels) ink += (pixel & 0xFF) < 0x80;  // dark: text
    EXPECT_GT(ink, shot.pixels.size() / 100) << "the topic text left no ink";
    EXPECT_TRUE(morvel::displaytest::SavePng(shot, MORVEL_BUILD_DIR "/help_10000.png"));
}

TEST(HelpViewer, EveryContextNumberOfTheEditorOpensItsTopic) {
    const struct {
        DWORD context;
        const char *title;
    } topics[] = {{10100, "メニュー"},
                  {10101, "ツールバー"},
                  {10102, "ステータスバー"},
                  {10000, "Morvelの使い方"}};
    for (const auto &t : topics) {
        ASSERT_TRUE(Help(kHelpFile, HELP_CONTEXT, t.context));
        Viewer viewer = WaitForTopic(t.title);
        ASSERT_NE(viewer.window, nullptr) << t.context;
        RedrawWindow(viewer.window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        std::string png = MORVEL_BUILD_DIR "/help_" + std::to_string(t.context) + ".png";
        morvel::displaytest::SavePng(
            morvel::displaytest::CaptureClientArea(GetDlgItem(viewer.window, kTextControl)), png);
    }
}

TEST(HelpViewer, FinderReturnsToTheContents) {
    ASSERT_TRUE(Help(kHelpFile, HELP_CONTEXT, 10101));
    ASSERT_NE(WaitForTopic("ツールバー").window, nullptr);
    ASSERT_TRUE(Help(kHelpFile, HELP_FINDER, 0));
    EXPECT_NE(WaitForTopic("Morvelの使い方").window, nullptr);
}

TEST(HelpViewer, TopicsOfALargeFileOpenWholeAcrossTopicBlocks) {
    // The viewer's own reading of block headers, record chains and topic
    // offsets, against the generator's, on a file of many blocks.
    for (int i : {0, 1, 137, 250, 399}) {
        std::string number = std::to_string(i);
        ASSERT_TRUE(Help(MORVEL_LARGE_HELP_FILE, HELP_CONTEXT, 20000 + i));
        Viewer viewer = WaitForTopic("項目" + number + "の説明");
        ASSERT_NE(viewer.window, nullptr) << i << ": " << viewer.text.substr(0, 40);
        EXPECT_NE(viewer.text.find("終わり" + number + "。"), std::string::npos) << i;
    }
    ASSERT_TRUE(Help(kHelpFile, HELP_CONTEXT, 10000));
    ASSERT_NE(WaitForTopic("Morvelの使い方").window, nullptr);
}

TEST(HelpViewer, PopupAndKeywordRequestsKeepTheViewerRunning) {
    // What a viewer makes of these differs (Wine's shows nothing for either);
    // the requests must go through and leave the viewer on its topic.
    EXPECT_TRUE(Help(kHelpFile, HELP_CONTEXTPOPUP, 10101));
    EXPECT_TRUE(Help(kHelpFile, HELP_KEY, reinterpret_cast<ULONG_PTR>("目次")));
    EXPECT_NE(WaitForTopic("Morvelの使い方").window, nullptr);
}

}  // namespace
