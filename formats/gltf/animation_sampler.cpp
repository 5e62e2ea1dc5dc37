#include "formats/gltf/animation_sampler.h"

#include <algorithm>
#include <cmath>

namespace morvel::formats::gltf {
namespace {

using Value = std::array<double, 4>;

// Key k's value; for CUBICSPLINE part 0 is the in-tangent, 1 the value, 2 the out-tangent.
Value KeyValue(const Channel &channel, size_t key, size_t part = 1) {
    const size_t n = channel.Components();
    const size_t stride = channel.interpolation == Interpolation::CubicSpline ? 3 * n : n;
    const size_t offset = channel.interpolation == Interpolation::CubicSpline ? part * n : 0;
    Value v{0, 0, 0, 0};
    for (size_t c = 0; c < n; ++c) v[c] = channel.values[key * stride + offset + c];
    return v;
}

Value Normalised(Value q) {
    const double length = std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3]);
    if (!(length > 0) || !std::isfinite(length)) return {0, 0, 0, 1};
    for (double &c : q) c /= length;
    return q;
}

Value Slerp(Value a, Value b, double t) {
    a = Normalised(a);
    b = Normalised(b);
    double dot = a[0] * b[0] + a[1] * b[1] + a[2] * b[2] + a[3] * b[3];
    if (dot < 0) {
        for (double &c : b) c = -c;
        dot = -dot;
    }
    Value out;
    if (dot > 0.9995) {
        for (size_t c = 0; c < 4; ++c) out[c] = a[c] + t * (b[c] - a[c]);
        return Normalised(out);
    }
    const double theta = std::acos(std::min(dot, 1.0));
    const double wa = std::sin((1 - t) * theta) / std::sin(theta);
    const double wb = std::sin(t * theta) / std::sin(theta);
    for (size_t c = 0; c < 4; ++c) out[c] = wa * a[c] + wb * b[c];
    return Normalised(out);
}

}  // namespace

Value SampleChannel(const Channel &channel, double time) {
    const bool rotation = channel.path == TargetPath::Rotation;
    const auto finish = [rotation](const Value &v) { return rotation ? Normalised(v) : v; };
    const std::vector<float> &times = channel.times;
    if (times.empty()) return rotation ? Value{0, 0, 0, 1} : Value{0, 0, 0, 0};
    if (time <= times.front()) return finish(KeyValue(channel, 0));
    if (time >= times.back()) return finish(KeyValue(channel, times.size() - 1));
    const size_t next = static_cast<size_t>(
        std::upper_bound(times.begin(), times.end(), time,
                         [](double t, float key) { return t < key; }) -
        times.begin());
    const size_t key = next - 1;
    const double span = double{times[next]} - times[key];
    const double t = span > 0 ? (time - times[key]) / span : 1.0;
    switch (channel.interpolation) {
        case Interpolation::Step:
            return finish(KeyValue(channel, key));
        case Interpolation::Linear: {
            const Value a = KeyValue(channel, key), b = KeyValue(channel, next);
            if (rotation) return Slerp(a, b, t);
            Value out;
            for (size_t c = 0; c < 4; ++c) out[c] = a[c] + t * (b[c] - a[c]);
            return out;
        }
        case Interpolation::CubicSpline:
        default: {
            const Value v0 = KeyValue(channel, key, 1), b0 = KeyValue(channel, key, 2);
            const Value v1 = KeyValue(channel, next, 1), a1 = KeyValue(channel, next, 0);
            const double t2 = t * t, t3 = t2 * t;
            Value out;
            for (size_t c = 0; c < 4; ++c) {
                out[c] = (2 * t3 - 3 * t2 + 1) * v0[c] + (t3 - 2 * t2 + t) * span * b0[c] +
                         (-2 * t3 + 3 * t2) * v1[c] + (t3 - t2) * span * a1[c];
            }
            return finish(out);
        }
    }
}

std::array<double, 2> TimeRange(const Animation &animation) {
    bool any = false;
    std::array<double, 2> range{0, 0};
    for (const Channel &channel : animation.channels) {
        if (channel.times.empty()) continue;
        range[0] = any ? std::min<double>(range[0], channel.times.front()) : channel.times.front();
        range[1] = any ? std::max<double>(range[1], channel.times.back()) : channel.times.back();
        any = true;
    }
    return range;
}

std::vector<double> KeyTimes(const Animation &animation) {
    std::vector<double> times;
    for (const Channel &channel : animation.channels) times.insert(times.end(), channel.times.begin(), channel.times.end());
    std::sort(times.begin(), times.end());
    times.erase(std::unique(times.begin(), times.end()), times.end());
    return times;
}

}  // namespace morvel::formats::gltf
