// The controllers of the program's dialog templates, by template name.
#pragma once

#include "app/editor.h"
#include "dialogs/directx_version.h"

namespace morvel::dialogs {

class EditDialogFactory : public app::DialogFactory {
public:
    EditDialogFactory() = default;
    // directX: what the version dialog probes; without it the dialog shows
    // no DirectX (0.0).
    explicit EditDialogFactory(DirectXComponents &directX) : directX_(&directX) {}

    std::unique_ptr<app::DialogController> Create(const std::string &name,
                                                  app::Editor &editor) override;
    std::unique_ptr<app::ToolWindowController> CreateToolWindow(const std::string &name,
                                                                app::Editor &editor) override;

private:
    DirectXComponents *directX_ = nullptr;
};

}  // namespace morvel::dialogs
