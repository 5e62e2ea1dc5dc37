// Mirroring a pose across the figure's YZ plane (x to -x), for pasting one
// side of the body's pose onto the other.
//
// Mirroring conjugates each part's world matrix S * Rx * Ry * Rz * T with
// the reflection diag(-1, 1, 1): the scale and the rotation about x stay,
// the rotations about y and z change sign, and so does the translation's x.
// The handedness of the view does not enter the world matrix, so the same
// mirror serves left- and right-handed documents. A part's partner (the
// part of the other side) takes its mirrored values; a part without one
// mirrors onto itself.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mvllib/mvllib.h"

namespace morvel::document {

// For each part of the document, the part of the other side, paired by
// their file names: left/right, _l/_r (also -, . or a space before the
// letter, any case), a capital L/R ending or starting a name ("armL",
// "LArm"), and 左/右. A part without a partner is its own.
std::vector<int16_t> MirrorPartners(const MotionDocument &document);

// The partner names a file name could have, one replacement each.
std::vector<std::string> PartnerNameCandidates(const std::string &fileName);

// Mirrors pose onto the partners: the position in each slot keeps its part
// number and takes the mirrored values of the slot that holds its partner
// (or its own, when the pose has no such slot). Part numbers outside
// partners are mirrored in place.
std::vector<PositionEntry> MirrorPose(const std::vector<PositionEntry> &pose,
                                      const std::vector<int16_t> &partners);

}  // namespace morvel::document
