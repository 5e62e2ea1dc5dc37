// In-between poses for playback: the positions of frame k moved a fraction
// t of the way towards frame k + 1.
#pragma once

#include <vector>

#include "mvllib/mvllib.h"

namespace morvel::app {

// Angle in whole degrees a fraction t from a towards b along the shorter
// way around the circle, rounded to the nearest degree and kept as a
// signed 16-bit value.
int16_t InterpolateDegrees(int16_t a, int16_t b, double t);

// One position blended: translation, scale and colour offsets linearly,
// rotations the shorter way; part number and padding those of from.
PositionEntry InterpolatePosition(const PositionEntry &from, const PositionEntry &to, double t);

// Frame from's positions, each paired by index with to's as the in-between
// frame of the frame dialog pairs them; positions without a partner stand
// as they are in from. t = 0 gives from's positions exactly.
std::vector<PositionEntry> InterpolateFrame(const FrameEntry &from, const FrameEntry &to, double t);

}  // namespace morvel::app
