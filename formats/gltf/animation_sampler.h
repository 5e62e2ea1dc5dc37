// Animation samplers evaluated as glTF defines them: STEP holds a key until
// the next, LINEAR interpolates (rotations spherically, the short way
// round), CUBICSPLINE follows the Hermite spline of its tangents. Before the
// first key a channel holds the first value, after its last the last one.
#pragma once

#include <array>
#include <vector>

#include "formats/gltf/gltf_data.h"

namespace morvel::formats::gltf {

// The channel's value at time; rotations come back as unit quaternions
// (x, y, z, w), translations and scales in the first three components.
std::array<double, 4> SampleChannel(const Channel &channel, double time);

// The first and last key time over every channel (0, 0 without keys).
std::array<double, 2> TimeRange(const Animation &animation);

// Every distinct key time of the animation, ascending.
std::vector<double> KeyTimes(const Animation &animation);

}  // namespace morvel::formats::gltf
