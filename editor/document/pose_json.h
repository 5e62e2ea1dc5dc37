// A frame's positions as JSON text: what the pose clipboard carries, in our
// own clipboard format and as readable text beside it. Every double comes
// back bit for bit (one that JSON cannot hold, infinity or NaN, travels as a
// "0x..." bit pattern, as mvltool writes it).
#pragma once

#include <string>
#include <vector>

#include "mvllib/mvllib.h"

namespace morvel::document {

// The member that marks a text as a pose, with the layout's version.
constexpr const char *kPoseJsonMarker = "morvelPose";

std::string PoseToJson(const PositionEntry *positions, uint16_t count);

// False (out untouched) when text is not a pose: not JSON, no marker, a
// member of the wrong type or out of its field's range, more positions
// than a frame holds.
bool PoseFromJson(const std::string &text, std::vector<PositionEntry> &out);

}  // namespace morvel::document
