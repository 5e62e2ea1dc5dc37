// One colour channel of a pixel described by a bit mask, scaled to 0..255.
#pragma once

#include <cstdint>

namespace morvel::formats::image {

class MaskChannel {
public:
    explicit MaskChannel(uint32_t mask = 0) : mask_(mask) {
        if (mask_ == 0) return;
        while (((mask_ >> shift_) & 1u) == 0) ++shift_;
        maxValue_ = mask_ >> shift_;
    }
    uint32_t Mask() const { return mask_; }
    // A missing channel reads as 0.
    uint32_t Extract(uint32_t pixel) const {
        if (maxValue_ == 0) return 0;
        const uint64_t value = (pixel & mask_) >> shift_;  // at most maxValue_, even for gapped masks
        return static_cast<uint32_t>((value * 255 + maxValue_ / 2) / maxValue_);
    }

private:
    uint32_t mask_ = 0, shift_ = 0, maxValue_ = 0;
};

}  // namespace morvel::formats::image
