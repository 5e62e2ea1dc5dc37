// The start-up question about a recovery copy (IDD_RECOVERY): which
// document, written when, and three answers. Closing it keeps the copy.
#pragma once

#include <string>

#include "app/autosave_state.h"
#include "app/dialog_view.h"

namespace morvel::dialogs {

// The lines the dialog shows for a record: the document's file name (or
// that it never had one), its folder, and the time of the copy.
struct RecoveryTexts {
    std::string name;
    std::string folder;
    std::string time;
};
RecoveryTexts TextsOf(const app::RecoveryRecord &record);

class RecoveryQuestion : public app::DialogController {
public:
    explicit RecoveryQuestion(app::RecoveryOffer &offer) : offer_(offer) {}
    void OnInit(app::DialogView &view) override;
    void OnCommand(app::DialogView &view, int id, int notifyCode) override;

private:
    app::RecoveryOffer &offer_;
};

}  // namespace morvel::dialogs
