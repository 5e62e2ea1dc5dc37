// Picking: which posed part a pixel of the view shows. The ray runs from the
// near to the far plane through the pixel, undoing exactly the view and
// projection the frame was drawn with, and is tested against each part's
// triangles in that part's own space.
#pragma once

#include <cstdint>
#include <vector>

#include "base/d3d_types.h"
#include "formats/xfile/mesh_data.h"

namespace morvel::render {

struct PickRay {
    double origin[3];
    double direction[3];  // near plane to far plane: t in [0, 1] spans the view
};

// The ray through the centre of pixel (x, y) of a viewport of width x height
// showing view * projection; false for an empty viewport or matrices that
// cannot be undone.
bool RayThroughPixel(const Matrix &view, const Matrix &projection, int x, int y, uint32_t width,
                     uint32_t height, PickRay &ray);

// A mesh's triangles as the picking reads them: three corners each, in the
// mesh's own space, with their bounding box. Built once when a mesh loads.
struct PickMesh {
    std::vector<Vector3> corners;
    Vector3 low{0.0f, 0.0f, 0.0f};
    Vector3 high{0.0f, 0.0f, 0.0f};
};

// Corners outside the vertex data (a damaged index) are left out.
PickMesh BuildPickMesh(const formats::xfile::MeshData &data);

// The ray parameter of the nearest hit of the ray on the mesh placed by
// world; false when it misses or world flattens the mesh to nothing. Both
// faces of a triangle count: a part is picked wherever it shows.
bool NearestHit(const PickRay &ray, const Matrix &world, const PickMesh &mesh, double &t);

}  // namespace morvel::render
