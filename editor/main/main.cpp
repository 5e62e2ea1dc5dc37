// Morvel.exe: the editor program.
#include <windows.h>

#include <string>

#include "app/editor.h"
#include "app/startup.h"
#include "app/thread_job_runner.h"
#include "app/win32/tick_clock.h"
#include "app/win32/win32_key_store.h"
#include "app/win32/win32_recovery_platform.h"
#include "app/win32/win32_shell.h"
#include "dialogs/edit_dialog_factory.h"
#include "dialogs/win32/modal_dialog.h"
#include "dialogs/win32/tool_window.h"
#include "dialogs/win32/win32_directx_components.h"
#include "render/d3d8/d3d8_render_device.h"
#include "render/d3d8/gdi_text_rasterizer.h"
#include "render/d3d8/win32_resource_module.h"
#include "render/scene_renderer.h"

namespace {

// The file named on the command line, if any (the first argument; a path
// with spaces arrives quoted and is taken whole), as a full path, the way a
// file chooser gives it.
std::string StartupFile() {
    if (__argc < 2 || __argv[1] == nullptr || __argv[1][0] == '\0') return std::string();
    char full[MAX_PATH * 4] = {};
    const DWORD length = GetFullPathNameA(__argv[1], sizeof full, full, nullptr);
    return length > 0 && length < sizeof full ? std::string(full) : std::string(__argv[1]);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    using namespace morvel;
    render::SceneRenderer renderer(render::d3d8::Direct3DCreate8);
    render::d3d8::GdiTextRasterizer text;
    renderer.SetTextRasterizer(&text);
    render::d3d8::Win32ResourceModule resources(instance);
    app::win32::Win32Shell shell(instance, dialogs::win32::RunModalDialog,
                                 dialogs::win32::CreateToolWindow);
    app::win32::Win32KeyStore keys;
    dialogs::win32::Win32DirectXComponents directX;
    dialogs::EditDialogFactory dialogFactory(directX);
    app::win32::TickClock clock;
    app::Editor editor(shell, keys, renderer, dialogFactory, &resources, clock);
    app::win32::Win32RecoveryPlatform recovery;
    app::ThreadJobRunner recoveryWrites;
    app::AutosavePorts autosave{recovery, recoveryWrites};
    editor.autosave = &autosave;
    shell.Attach(&editor);
    const int exitCode = app::RunEditor(editor, showCommand, StartupFile());
    // Window messages after this point (the window's destruction at exit)
    // find no editor.
    shell.Attach(nullptr);
    return exitCode;
}
