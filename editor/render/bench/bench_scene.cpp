#include "bench_scene.h"

#include <cmath>
#include <cstring>

#include "render/d3dx_math.h"
#include "render/pose.h"

namespace morvel::render::bench {

formats::xfile::MeshData SphereMesh(int slices, int stacks) {
    formats::xfile::MeshData mesh;
    mesh.fvf = kPartMeshFvf;
    mesh.vertexStride = 32;
    for (int stack = 0; stack <= stacks; ++stack) {
        const float phi = 3.14159265f * static_cast<float>(stack) / stacks;
        for (int slice = 0; slice <= slices; ++slice) {
            const float theta = 6.28318531f * static_cast<float>(slice) / slices;
            const float n[3] = {std::sin(phi) * std::cos(theta), std::cos(phi), std::sin(phi) * std::sin(theta)};
            const float vertex[8] = {10 * n[0], 10 * n[1], 10 * n[2], n[0], n[1], n[2],
                                     static_cast<float>(slice) / slices,
                                     static_cast<float>(stack) / stacks};
            const auto *bytes = reinterpret_cast<const uint8_t *>(vertex);
            mesh.vertices.insert(mesh.vertices.end(), bytes, bytes + sizeof vertex);
        }
    }
    mesh.vertexCount = (stacks + 1) * (slices + 1);
    for (int stack = 0; stack < stacks; ++stack) {
        for (int slice = 0; slice < slices; ++slice) {
            const uint32_t a = stack * (slices + 1) + slice, b = a + slices + 1;
            if (stack != 0) mesh.indices.insert(mesh.indices.end(), {a, a + 1, b});
            if (stack != stacks - 1) mesh.indices.insert(mesh.indices.end(), {a + 1, b + 1, b});
        }
    }
    mesh.faceCount = static_cast<uint32_t>(mesh.indices.size() / 3);
    mesh.attributes.assign(mesh.faceCount, 0);
    mesh.attributeTable.push_back({0, 0, mesh.faceCount, 0, mesh.vertexCount});
    formats::xfile::MaterialData material;
    material.material.Diffuse = {0.7f, 0.6f, 0.2f, 1.0f};
    material.material.Power = 20.0f;
    mesh.materials.push_back(material);
    return mesh;
}

std::unique_ptr<BenchScene> MakeBenchScene(SceneRenderer &renderer) {
    auto bench = std::make_unique<BenchScene>();
    bench->builder.document.header.axisVisible = 0;
    bench->builder.document.header.statusTextVisible = 0;
    bench->builder.Part("sphere.x").Motion("m").Frame("f");
    for (int i = 0; i < 100; ++i) {
        PositionEntry position = fakes::UnitPosition(0);
        position.translation = {(i % 10 - 4.5) * 22.0, (i / 10 - 4.5) * 22.0, 0.0};
        position.rotation = {static_cast<int16_t>(i * 7), static_cast<int16_t>(i * 3), 0};
        position.diffuse = {0.0, 0.0, 0.0, -0.1};
        bench->builder.Position(position);
    }
    auto part = std::make_unique<PartMesh>();
    d3dx::ID3DXMesh::Create(*renderer.Device(), meshopt::kManaged, SphereMesh(),
                            DefaultAssetLoaders(), part->mesh);
    part->materialCount = 1;
    part->materials.push_back(Material{{0.7f, 0.6f, 0.2f, 1.0f}, {0.7f, 0.6f, 0.2f, 1.0f}, {}, {}, 20.0f});
    part->textures.resize(1);
    bench->builder.partMeshes.push_back(std::move(part));
    bench->scene = std::make_unique<SceneDocument>(bench->builder.Build());
    return bench;
}

BaselineFrame::BaselineFrame(const BenchScene &bench, const SceneRenderer &renderer)
    : mesh_(static_cast<const PartMesh *>(bench.builder.partMeshes[0].get())),
      presentRect_(renderer.PresentRect()),
      background_(HeaderColour(bench.builder.document.header.backgroundColour)),
      light_(renderer.SceneLight()) {
    const FrameEntry &frame = bench.builder.document.motions[0].frames[0];
    for (int i = 0; i < frame.positionCount; ++i) {
        worlds_.push_back(BuildPoseMatrix(frame.positions[i]));
        materials_.push_back(BuildPositionMaterial(mesh_->materials[0], frame.positions[i]));
    }
    const Vector3 eye = renderer.Eye();
    light_.Direction = {-eye.x, -eye.y, -eye.z};
}

bool BaselineFrame::Draw(RenderDevice &device) {
    if (device.TestCooperativeLevel() != hr::kOk) return false;
    if (device.Clear(0, nullptr, kClearTarget | kClearZBuffer, background_, 1.0f, 0) != hr::kOk) return false;
    if (device.BeginScene() != hr::kOk) return false;
    Matrix identity;
    d3dx::D3DXMatrixIdentity(&identity);
    device.SetTransform(kTransformWorld, identity);
    device.SetLight(0, light_);
    device.LightEnable(0, true);
    device.SetTexture(0, nullptr);
    Material base{};
    base.Diffuse = base.Ambient = base.Specular = base.Emissive = {0.5f, 0.5f, 0.5f, 0.5f};
    base.Power = 100.0f;
    device.SetMaterial(base);
    device.SetRenderState(rs::kAmbient, 0xFF3C3C3C);
    device.SetRenderState(rs::kLighting, kTrue);
    device.SetRenderState(rs::kAlphaBlendEnable, kTrue);
    device.SetRenderState(rs::kSrcBlend, kBlendSrcAlpha);
    device.SetRenderState(rs::kDestBlend, kBlendInvSrcAlpha);
    for (size_t i = 0; i < worlds_.size(); ++i) {
        device.SetTransform(kTransformWorld, worlds_[i]);
        device.SetMaterial(materials_[i]);
        device.SetTexture(0, nullptr);
        mesh_->mesh->DrawSubset(0);
        device.SetTexture(0, nullptr);
    }
    device.EndScene();
    device.Present(&presentRect_, &presentRect_, nullptr, nullptr);
    return true;
}

}  // namespace morvel::render::bench
