// The seventeen value fields of the position dialog: a position record or
// the header's initial values shown in them, and the record read back.
#pragma once

#include <cstddef>

#include "app/dialog_view.h"
#include "mvllib/mvllib.h"

namespace morvel::dialogs {

// The most bytes of a value field's text that are read.
constexpr size_t kValueFieldMaxBytes = 19;

// Every value field from the record: doubles as "%f", rotations as signed
// whole numbers. The part number is not a field.
void ShowPositionValues(app::DialogView &view, const PositionEntry &position);

// The "初期" groups: the header's initial values, each group on its own.
void ShowInitialAmbient(app::DialogView &view, const MotionFileHeader &header);
void ShowInitialDiffuse(app::DialogView &view, const MotionFileHeader &header);
void ShowInitialScale(app::DialogView &view, const MotionFileHeader &header);
// All fields: the initial colours and scale, translation 0.0, rotation 0.
void ShowInitialValues(app::DialogView &view, const MotionFileHeader &header);

// The record the fields describe, partNumber 0: each double from at most
// kValueFieldMaxBytes of its text through ParseDecimal, each rotation as the
// low 16 bits of the dialog's signed integer reading.
PositionEntry ReadPositionValues(app::DialogView &view);

}  // namespace morvel::dialogs
