#include "convert/camera_fit.h"

#include <algorithm>
#include <cmath>

namespace morvel::convert {
namespace {

// The editor's field of view is a quarter turn over two: a sphere of radius
// r fills it from r / sin(pi / 8); a tenth more leaves a margin.
constexpr double kDistancePerRadius = 1.1 / 0.38268343236508978;
constexpr double kFarthestDistance = 1e6;

double Length(const MvlVector3F64 &v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

}  // namespace

void FitCameraToPose(MotionFileHeader &header, const std::vector<PositionEntry> &pose,
                     const std::vector<double> &reach) {
    double radius = 0;
    for (const PositionEntry &position : pose) {
        if (position.partNumber < 0 || static_cast<size_t>(position.partNumber) >= reach.size()) continue;
        const double scale = std::max({std::fabs(position.scale.x), std::fabs(position.scale.y),
                                       std::fabs(position.scale.z)});
        radius = std::max(radius, Length(position.translation) + scale * reach[position.partNumber]);
    }
    // A glTF or OBJ viewer starts in front of the model, on its +Z side: -Z
    // in the editor's mirrored space, the side the editor's camera faces
    // at half a turn.
    header.cameraAzimuth = 180;
    const double distance = std::ceil(radius * kDistancePerRadius);
    if (!(distance >= 1 && distance <= kFarthestDistance)) return;
    header.cameraDistance = static_cast<int32_t>(distance);
}

}  // namespace morvel::convert
