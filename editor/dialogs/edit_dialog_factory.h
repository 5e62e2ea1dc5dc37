// The controllers of the program's dialog templates, by template name.
#pragma once

#include "app/editor.h"

namespace morvel::dialogs {

class EditDialogFactory : public app::DialogFactory {
public:
    std::unique_ptr<app::DialogController> Create(const std::string &name,
                                                  app::Editor &editor) override;
};

}  // namespace morvel::dialogs
