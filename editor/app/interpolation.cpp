#include "app/interpolation.h"

#include <cmath>

namespace morvel::app {

namespace {

double Lerp(double a, double b, double t) { return a + (b - a) * t; }

MvlRgbaF64 Lerp(const MvlRgbaF64 &a, const MvlRgbaF64 &b, double t) {
    return {Lerp(a.r, b.r, t), Lerp(a.g, b.g, t), Lerp(a.b, b.b, t), Lerp(a.a, b.a, t)};
}

MvlVector3F64 Lerp(const MvlVector3F64 &a, const MvlVector3F64 &b, double t) {
    return {Lerp(a.x, b.x, t), Lerp(a.y, b.y, t), Lerp(a.z, b.z, t)};
}

}  // namespace

int16_t InterpolateDegrees(int16_t a, int16_t b, double t) {
    // The difference folded into -180...180: the shorter way round.
    double difference = std::fmod(static_cast<double>(b) - a, 360.0);
    if (difference > 180.0) difference -= 360.0;
    if (difference < -180.0) difference += 360.0;
    const long angle = std::lround(a + difference * t);
    return static_cast<int16_t>(static_cast<uint16_t>(angle & 0xFFFF));
}

PositionEntry InterpolatePosition(const PositionEntry &from, const PositionEntry &to, double t) {
    PositionEntry p = from;
    p.ambient = Lerp(from.ambient, to.ambient, t);
    p.diffuse = Lerp(from.diffuse, to.diffuse, t);
    p.scale = Lerp(from.scale, to.scale, t);
    p.translation = Lerp(from.translation, to.translation, t);
    p.rotation = {InterpolateDegrees(from.rotation.x, to.rotation.x, t),
                  InterpolateDegrees(from.rotation.y, to.rotation.y, t),
                  InterpolateDegrees(from.rotation.z, to.rotation.z, t)};
    return p;
}

std::vector<PositionEntry> InterpolateFrame(const FrameEntry &from, const FrameEntry &to, double t) {
    std::vector<PositionEntry> positions(from.positions, from.positions + from.positionCount);
    for (uint16_t i = 0; i < from.positionCount && i < to.positionCount; ++i) {
        positions[i] = InterpolatePosition(from.positions[i], to.positions[i], t);
    }
    return positions;
}

}  // namespace morvel::app
