// What the dialogs that edit a table through a list box share: one row per
// entry, the selection read back from the list, texts read to their field
// limits, and message boxes owned by the dialog.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "app/dialog_view.h"

namespace morvel::dialogs {

// The messages the list dialogs share (defined in the source: the clang
// trees turn the literals of sources into code page 932, not those of headers).
extern const char kPickRowText[];
extern const char kNoSuchNumberText[];

// A wanted row beyond a table of count rows stands for its last row, a
// negative one for row 0; -1 for an empty table.
int ClampRow(int wanted, int count);

// Empties the list; with rows, adds them and selects wanted, moved onto the
// last row when it lies beyond it (and onto row 0 when negative).
void RefillList(app::DialogView &view, int listId, const std::vector<std::string> &rows,
                int wanted);

// The selected row when it names one of count entries, else app::kNoSelection.
int SelectedRow(app::DialogView &view, int listId, int count);

// "▲" for a selected row below row 0, "▼" for one above the last row.
void EnableMoveButtons(app::DialogView &view, int upId, int downId, int row, int count);

// The control's text cut to at most maxBytes bytes, never inside a
// double-byte character.
std::string ReadField(app::DialogView &view, int id, size_t maxBytes);

// The row number that starts every list line: "%6d｜".
std::string RowNumber(int index);

// Text in a message box owned by the dialog.
document::MessageAnswer Tell(app::DialogView &view, const char *caption, const std::string &text,
                             document::MessageIcon icon,
                             document::MessageButtons buttons = document::MessageButtons::Ok);

}  // namespace morvel::dialogs
