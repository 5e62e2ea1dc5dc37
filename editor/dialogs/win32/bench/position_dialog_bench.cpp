// The position dialog under Wine on a large document (100 motions of 60
// frames of 20 positions, the robot's six parts, so every mesh really
// loads): opening it and committing it, against the mesh reload each of
// them contains; and the position list filled with 1,000 rows, against
// LB_ADDSTRING of the same lines into a bare list box.
#include <windows.h>

#include <cstdio>

#include "app/editor.h"
#include "app/fakes/fake_clock.h"
#include "app/fakes/fake_key_store.h"
#include "app/fakes/fake_shell.h"
#include "app/history.h"
#include "bench_api.h"
#include "bench_device.h"
#include "dialogs/position_dialog.h"
#include "dialogs/position_dialog_ids.h"
#include "dialogs/win32/win32_dialog_view.h"
#include "test_documents.h"

namespace {

using namespace morvel;
using document::testing::DocumentContents;
using document::testing::MakePosition;

constexpr int kMotions = 100;
constexpr int kFrames = 60;
constexpr int kPositions = 20;
constexpr int kListRows = 1000;

const std::vector<std::string> kRobotParts = {".\\torso.x",     ".\\head.x",     ".\\arm_left.x",
                                              ".\\arm_right.x", ".\\leg_left.x", ".\\leg_right.x"};

DocumentContents LargeDocument() {
    DocumentContents contents{kRobotParts, {}};
    for (int m = 0; m < kMotions; ++m) {
        document::testing::MotionContents motion{"motion " + std::to_string(m), "", {}};
        for (int f = 0; f < kFrames; ++f) {
            document::testing::FrameContents frame{"frame " + std::to_string(f), {}};
            for (int p = 0; p < kPositions; ++p) {
                frame.positions.push_back(MakePosition(static_cast<int16_t>(p % 6), m + f + p));
            }
            motion.frames.push_back(std::move(frame));
        }
        contents.motions.push_back(std::move(motion));
    }
    return contents;
}

struct NoDialogs : app::DialogFactory {
    std::unique_ptr<app::DialogController> Create(const std::string &, app::Editor &) override {
        return nullptr;
    }
};

INT_PTR CALLBACK QuietProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

struct Fixture {
    Fixture()
        : renderer(render::bench::BenchDeviceFactory()),
          editor(shell, keys, renderer, dialogs, nullptr, clock),
          dialog(editor) {
        renderer.InitDevice(render::bench::BenchWindow());
        SetCurrentDirectoryA(MORVEL_ROBOT_DIR);
        document::InitDocument(editor.state.currentDocument);
        document::InitDocument(editor.state.workingDocument);
        document::testing::Fill(editor.state.currentDocument.document, LargeDocument());
        meshesLoaded = document::LoadPartMeshes(editor.state.currentDocument, renderer);
        app::ResetUndo(editor.state);

        // The real template, modeless and shown, driven through the real view.
        window = CreateDialogParamA(GetModuleHandleA(nullptr), "IDD_EDIT_POSITION", nullptr,
                                    QuietProc, 0);
        ShowWindow(window, SW_SHOWNORMAL);
        view.SetWindow(window);

        std::vector<PositionEntry> rows;
        for (int p = 0; p < kListRows; ++p) rows.push_back(MakePosition(p % 6, p));
        DocumentContents many{kRobotParts, {{"long", "", {{"f", rows}}}}};
        document::testing::Fill(longFrame.Get(), many);
        lines = dialogs::PositionLines(longFrame.Get(), longFrame->motions[0].frames[0]);

        // The baseline's list: a list box of the position list's style, size
        // and font, added to the same dialog below its controls (the dialog
        // grown to hold it, so nothing covers it), filled without the
        // dialog's code.
        RECT list;
        GetWindowRect(GetDlgItem(window, IDC_POSITION_LIST), &list);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT *>(&list), 2);
        RECT frame;
        GetWindowRect(window, &frame);
        RECT client;
        GetClientRect(window, &client);
        const int height = list.bottom - list.top;
        SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left,
                     frame.bottom - frame.top + height + 8, SWP_NOMOVE | SWP_NOZORDER);
        // The client edge the dialog manager makes of the template's WS_BORDER.
        bareList = CreateWindowExA(
            WS_EX_CLIENTEDGE, "ListBox", "",
            WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, list.left,
            client.bottom + 4, list.right - list.left, height, window, nullptr, nullptr, nullptr);
        SendMessageA(bareList, WM_SETFONT, SendMessageA(window, WM_GETFONT, 0, 0), FALSE);
    }
    app::fakes::FakeShell shell;
    app::fakes::FakeKeyStore keys;
    NoDialogs dialogs;
    render::SceneRenderer renderer;
    app::fakes::FakeClock clock;
    app::Editor editor;
    dialogs::PositionDialog dialog;
    dialogs::win32::Win32DialogView view;
    HWND window = nullptr;
    document::testing::OwnedDocument longFrame;
    std::vector<std::string> lines;
    HWND bareList = nullptr;
    bool meshesLoaded = false;
};

Fixture &Shared() {
    static Fixture fixture;
    return fixture;
}

// "確定" needs a working copy: the first open makes it.
void BM_OpenPositionDialog(benchmark::State &state) {
    Fixture &f = Shared();
    if (!f.meshesLoaded) std::fprintf(stderr, "the robot's meshes did not load\n");
    for (auto _ : state) f.dialog.OnInit(f.view);
}

void BM_CommitPositionDialog(benchmark::State &state) {
    Fixture &f = Shared();
    for (auto _ : state) f.dialog.OnCommand(f.view, IDC_POSITION_COMMIT, app::kNotifyClicked);
}

// The reload that opening (into the working copy) and committing (into
// the current document) each do once.
void BM_ReloadPartMeshes(benchmark::State &state) {
    Fixture &f = Shared();
    for (auto _ : state) {
        document::ReleasePartMeshes(f.editor.state.currentDocument);
        document::LoadPartMeshes(f.editor.state.currentDocument, f.renderer);
    }
}

void BM_FillPositionList1000(benchmark::State &state) {
    Fixture &f = Shared();
    const FrameEntry &frame = f.longFrame->motions[0].frames[0];
    for (auto _ : state) {
        f.view.ListFill(IDC_POSITION_LIST, dialogs::PositionLines(f.longFrame.Get(), frame));
    }
}

void BM_BareListBoxAddString1000(benchmark::State &state) {
    Fixture &f = Shared();
    for (auto _ : state) {
        SendMessageA(f.bareList, LB_RESETCONTENT, 0, 0);
        for (const std::string &line : f.lines) {
            SendMessageA(f.bareList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        }
    }
}

BENCHMARK(BM_OpenPositionDialog)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CommitPositionDialog)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReloadPartMeshes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillPositionList1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BareListBoxAddString1000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
