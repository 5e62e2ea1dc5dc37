#include "formats/xfile/vertex_layout.h"

#include "base/d3d_types.h"

namespace morvel::formats::xfile {
namespace {

constexpr uint32_t kPositionMask = 0x00E;
constexpr uint32_t kKnownBits = kPositionMask | fvf::kNormal | fvf::kDiffuse | fvf::kSpecular | fvf::kTexCountMask;

}  // namespace

bool DescribeVertexFormat(uint32_t format, VertexLayout &layout) {
    if ((format & kPositionMask) != fvf::kXyz || (format & ~kKnownBits) != 0) return false;
    const uint32_t texCount = (format & fvf::kTexCountMask) >> fvf::kTexCountShift;
    if (texCount > 8) return false;
    layout = VertexLayout{};
    uint32_t offset = 12;
    if (format & fvf::kNormal) {
        layout.normal = offset;
        offset += 12;
    }
    if (format & fvf::kDiffuse) {
        layout.diffuse = offset;
        offset += 4;
    }
    if (format & fvf::kSpecular) {
        layout.specular = offset;
        offset += 4;
    }
    if (texCount > 0) {
        layout.texCoords = offset;
        layout.texCount = texCount;
        offset += 8 * texCount;
    }
    layout.stride = offset;
    return true;
}

}  // namespace morvel::formats::xfile
