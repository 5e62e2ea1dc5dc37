#include "dialogs/edit_dialog_factory.h"

#include <cstring>

#include "dialogs/version_dialog.h"

namespace morvel::dialogs {

namespace {

using Maker = std::unique_ptr<app::DialogController> (*)(app::Editor &);

struct Entry {
    const char *templateName;
    Maker make;
};

// The dialogs the program has, by template name.
const Entry kDialogs[] = {
    {"", nullptr},
};

}  // namespace

std::unique_ptr<app::DialogController> EditDialogFactory::Create(const std::string &name,
                                                                 app::Editor &editor) {
    // The one dialog that needs more than the editor: the platform's DirectX.
    if (name == "IDD_HELP_VERSION") return MakeVersionDialog(editor, directX_);
    for (const Entry &entry : kDialogs) {
        if (entry.make != nullptr && name == entry.templateName) return entry.make(editor);
    }
    return nullptr;
}

}  // namespace morvel::dialogs
