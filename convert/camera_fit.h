// Where the editor's camera starts for an imported figure: on the side a
// glTF viewer starts on, and far enough from the origin, which it always
// looks at, for the whole figure to be in view.
#pragma once

#include <vector>

#include "mvllib/mvllib.h"

namespace morvel::convert {

// reach[p]: the farthest point of part p's mesh from the part's origin.
// Turns the header's camera to the model's front and sets its distance
// from the pose's reach from the origin (kept when the pose reaches nowhere
// or past what the header holds).
void FitCameraToPose(MotionFileHeader &header, const std::vector<PositionEntry> &pose,
                     const std::vector<double> &reach);

}  // namespace morvel::convert
