// The start-up question about recovery copies that ended editors left.
#pragma once

#include "app/editor.h"

namespace morvel::app {

// Asks about the newest copy of an ended process (IDD_RECOVERY): restore
// it, discard it (after a second question) or keep it for the next start.
// Nothing when there is none; copies of running editors are never offered.
void OfferRecovery(Editor &editor);

}  // namespace morvel::app
