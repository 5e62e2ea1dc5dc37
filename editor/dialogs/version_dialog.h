// The version dialog (IDD_HELP_VERSION): the program's about box. It shows
// the product line, a notice, a fixed text, and the system information: the
// program, library and DirectX versions and the Direct3D mode with the view
// size. Filled afresh on every opening, so the DirectX probe runs each time.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/dialog_view.h"
#include "app/editor.h"
#include "dialogs/directx_version.h"
#include "dialogs/version_dialog_ids.h"

namespace morvel::dialogs {

constexpr int kVersionProduct = IDC_VERSION_PRODUCT;
constexpr int kVersionNotice = IDC_VERSION_NOTICE;
constexpr int kVersionText = IDC_VERSION_TEXT;
constexpr int kVersionSystemList = IDC_VERSION_SYSTEM_LIST;
constexpr int kVersionClose = 2;  // IDCANCEL: the button and Escape

struct SystemInformation {
    std::string programVersion;
    std::string libraryVersion;
    uint32_t directXVersion = 0;
    std::string deviceTypeText;
    int32_t viewRight = 0;
    int32_t viewBottom = 0;
};

// The list's lines, in order: the heading, then program, library, DirectX
// and Direct3D mode.
std::vector<std::string> SystemInformationLines(const SystemInformation &info);
// "Morvel Version 2.01"
std::string ProductLine();
// The version text of the motion data library, through its export.
std::string LibraryVersion();
// The one-line notice and the fixed text (lines joined by CR LF).
std::string VersionNotice();
std::string VersionFixedText();

class VersionDialog : public app::DialogController {
public:
    // directX: the platform's components; nullptr where it has none (the
    // version then shows as 0.0).
    VersionDialog(const app::EditorState &state, DirectXComponents *directX)
        : state_(state), directX_(directX) {}
    void OnInit(app::DialogView &view) override;
    void OnCommand(app::DialogView &view, int id, int notifyCode) override;

private:
    const app::EditorState &state_;
    DirectXComponents *directX_;
};

std::unique_ptr<app::DialogController> MakeVersionDialog(app::Editor &editor,
                                                         DirectXComponents *directX);

}  // namespace morvel::dialogs
