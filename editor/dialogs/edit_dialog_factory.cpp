#include "dialogs/edit_dialog_factory.h"

namespace morvel::dialogs {

std::unique_ptr<app::DialogController> EditDialogFactory::Create(const std::string &, app::Editor &) {
    return nullptr;
}

}  // namespace morvel::dialogs
