#include "formats/xfile/mesh_adjacency.h"

#include <algorithm>
#include <cstring>

namespace morvel::formats::xfile {
namespace {

uint32_t PositionHash(const uint32_t *bits) {
    uint32_t h = bits[0] * 0x9E3779B1u;
    h ^= bits[1] * 0x85EBCA77u + (h << 6) + (h >> 2);
    h ^= bits[2] * 0xC2B2AE3Du + (h << 6) + (h >> 2);
    return h ^ (h >> 15);
}

// For every vertex, the first vertex with bit-identical position (-0 == +0).
std::vector<uint32_t> PositionIds(const MeshData &mesh) {
    const uint32_t count = mesh.vertexCount;
    auto key = [&mesh](uint32_t v, uint32_t *bits) {
        float p[3];
        std::memcpy(p, &mesh.vertices[static_cast<size_t>(v) * mesh.vertexStride], sizeof p);
        for (int i = 0; i < 3; ++i) {
            const float value = p[i] + 0.0f;
            std::memcpy(&bits[i], &value, sizeof value);
        }
    };
    size_t capacity = 16;
    while (capacity < static_cast<size_t>(count) * 2) capacity *= 2;
    std::vector<uint32_t> table(capacity, kNoNeighbour);
    std::vector<uint32_t> ids(count);
    for (uint32_t v = 0; v < count; ++v) {
        uint32_t bits[3];
        key(v, bits);
        size_t slot = PositionHash(bits) & (capacity - 1);
        for (;;) {
            const uint32_t other = table[slot];
            if (other == kNoNeighbour) {
                table[slot] = v;
                ids[v] = v;
                break;
            }
            uint32_t otherBits[3];
            key(other, otherBits);
            if (std::memcmp(otherBits, bits, sizeof bits) == 0) {
                ids[v] = other;
                break;
            }
            slot = (slot + 1) & (capacity - 1);
        }
    }
    return ids;
}

// The position ids at both ends of edge e (corner e % 3 to the next corner).
struct EdgeEnds {
    const MeshData &mesh;
    const std::vector<uint32_t> &ids;
    uint32_t From(size_t e) const { return ids[mesh.indices[e]]; }
    uint32_t To(size_t e) const { return ids[mesh.indices[e - e % 3 + (e % 3 + 1) % 3]]; }
    bool Forward(size_t e) const { return From(e) < To(e); }
};

// Pairs edges of one group (same two positions), given in edge order;
// partner holds the paired edge or kNoNeighbour.
// sameWay: pair edges running the same way instead of opposite ways.
void PairGroup(const uint32_t *group, size_t size, const EdgeEnds &ends, bool sameWay,
               std::vector<uint32_t> &partner) {
    std::vector<uint32_t> pending[2];
    size_t head[2] = {0, 0};
    for (size_t i = 0; i < size; ++i) {
        const uint32_t edge = group[i];
        if (partner[edge] != kNoNeighbour) continue;
        const int own = ends.Forward(edge) ? 1 : 0;
        const int wanted = sameWay ? own : 1 - own;
        std::vector<uint32_t> &candidates = pending[wanted];
        size_t &first = head[wanted];
        while (first < candidates.size() && partner[candidates[first]] != kNoNeighbour) ++first;
        for (size_t c = first; c < candidates.size(); ++c) {
            const uint32_t other = candidates[c];
            if (partner[other] != kNoNeighbour || other / 3 == edge / 3) continue;
            partner[edge] = other;
            partner[other] = edge;
            break;
        }
        if (partner[edge] == kNoNeighbour) pending[own].push_back(edge);
    }
}

}  // namespace

std::vector<uint32_t> ComputeAdjacency(const MeshData &mesh) {
    const size_t edgeCount = static_cast<size_t>(mesh.faceCount) * 3;
    // Holds the partner edge while pairing, the partner's face at the end.
    std::vector<uint32_t> partner(edgeCount, kNoNeighbour);
    if (edgeCount == 0 || mesh.vertexCount == 0) return partner;
    const std::vector<uint32_t> ids = PositionIds(mesh);
    const EdgeEnds ends{mesh, ids};

    // Edges bucketed by their lower position id (a counting sort), each
    // bucket then sorted by the higher id: groups of edges between the same
    // two positions, in edge order.
    std::vector<uint32_t> bucketStart(static_cast<size_t>(mesh.vertexCount) + 1, 0);
    for (size_t e = 0; e < edgeCount; ++e) {
        const uint32_t a = ends.From(e), b = ends.To(e);
        if (a != b) ++bucketStart[std::min(a, b) + 1];
    }
    for (size_t v = 0; v < mesh.vertexCount; ++v) bucketStart[v + 1] += bucketStart[v];
    // Each entry: the higher id above the edge number, so a plain sort of
    // a bucket orders it by the other end, then by edge.
    std::vector<uint64_t> order(bucketStart.back());
    {
        std::vector<uint32_t> fill(bucketStart.begin(), bucketStart.end() - 1);
        for (size_t e = 0; e < edgeCount; ++e) {
            const uint32_t a = ends.From(e), b = ends.To(e);
            if (a != b) order[fill[std::min(a, b)]++] = static_cast<uint64_t>(std::max(a, b)) << 32 | e;
        }
    }

    std::vector<uint32_t> group;
    for (size_t v = 0; v < mesh.vertexCount; ++v) {
        uint64_t *bucket = order.data() + bucketStart[v];
        const size_t size = bucketStart[v + 1] - bucketStart[v];
        if (size < 2) continue;
        std::sort(bucket, bucket + size);
        for (size_t start = 0; start < size;) {
            size_t end = start + 1;
            const uint64_t high = bucket[start] >> 32;
            while (end < size && bucket[end] >> 32 == high) ++end;
            if (end - start == 2) {
                // The common case: two faces meet at the edge.
                const uint32_t x = static_cast<uint32_t>(bucket[start]), y = static_cast<uint32_t>(bucket[start + 1]);
                if (x / 3 != y / 3) {
                    partner[x] = y;
                    partner[y] = x;
                }
            } else if (end - start > 2) {
                group.clear();
                for (size_t i = start; i < end; ++i) group.push_back(static_cast<uint32_t>(bucket[i]));
                PairGroup(group.data(), group.size(), ends, false, partner);
                PairGroup(group.data(), group.size(), ends, true, partner);
            }
            start = end;
        }
    }
    for (uint32_t &p : partner) {
        if (p != kNoNeighbour) p /= 3;
    }
    return partner;
}

}  // namespace morvel::formats::xfile
