// The benchmark's scene: one ~2,000-triangle part drawn at 100 positions,
// and a baseline that issues the same device calls from precomputed data.
#pragma once

#include <memory>

#include "render/fakes/scene_builder.h"
#include "render/part_mesh.h"
#include "render/scene_renderer.h"

namespace morvel::render::bench {

// A sphere of radius 10 in format 0x112: 2 * slices * (stacks - 1)
// triangles (1,984 by default).
formats::xfile::MeshData SphereMesh(int slices = 32, int stacks = 32);

struct BenchScene {
    fakes::SceneBuilder builder;
    std::unique_ptr<SceneDocument> scene;
};

// 100 positions of part 0 on a 10 x 10 grid; axes and overlay off.
std::unique_ptr<BenchScene> MakeBenchScene(SceneRenderer &renderer);

// The calls DrawFrame makes for the scene, written out by hand with the
// world matrices and materials computed once beforehand.
class BaselineFrame {
public:
    BaselineFrame(const BenchScene &scene, const SceneRenderer &renderer);
    bool Draw(RenderDevice &device);

private:
    const PartMesh *mesh_;
    Rect presentRect_;
    Color background_;
    Light light_;
    std::vector<Matrix> worlds_;
    std::vector<Material> materials_;
};

}  // namespace morvel::render::bench
