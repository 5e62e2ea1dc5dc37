#include "render/scene_renderer.h"

#include <algorithm>

#include "base/cp932_text.h"
#include "render/d3dx_math.h"
#include "render/pose.h"

namespace morvel::render {
namespace {

constexpr size_t kMeshLoadMessageBytes = 1023;

Matrix IdentityWorld() {
    Matrix translation, scaling, world;
    d3dx::D3DXMatrixTranslation(&translation, 0.0f, 0.0f, 0.0f);
    d3dx::D3DXMatrixScaling(&scaling, 1.0f, 1.0f, 1.0f);
    d3dx::D3DXMatrixMultiply(&world, &translation, &scaling);
    return world;
}

}  // namespace

SceneRenderer::SceneRenderer(RenderSystemFactory direct3DCreate8, const AssetLoaders &loaders)
    : direct3DCreate8_(std::move(direct3DCreate8)),
      loaders_(loaders),
      deviceCullState_(kCullCounterClockwise) {
    d3dx::D3DXMatrixIdentity(&projection_);
    d3dx::D3DXMatrixIdentity(&view_);
}

SceneRenderer::~SceneRenderer() {
    overlayText_.Clear();
    for (LabelTexture &label : labels_) label.texture.reset();
    ReleaseDevice();
}

int SceneRenderer::InitDevice(void *mainWindow) {
    ReleaseDevice();
    if (direct3DCreate8_) system_ = direct3DCreate8_(kSdkVersion);
    if (!system_) return kInitFailed;

    DisplayMode mode{};
    if (system_->GetAdapterDisplayMode(kDefaultAdapter, mode) != hr::kOk) {
        system_.reset();
        return kInitFailed;
    }

    presentParameters_ = PresentParameters{};
    presentParameters_.Windowed = 1;
    presentParameters_.SwapEffect = kSwapEffectDiscard;
    presentParameters_.BackBufferFormat = mode.Format;
    presentParameters_.BackBufferCount = 1;
    presentParameters_.EnableAutoDepthStencil = 1;
    presentParameters_.AutoDepthStencilFormat = kFormatD16;
    presentParameters_.hDeviceWindow = deviceWindow_;

    struct Attempt {
        uint32_t deviceType, behavior;
        int result;
    };
    static constexpr Attempt kAttempts[] = {
        {kDeviceTypeHal, kCreateHardwareVertexProcessing, kInitHalHardware},
        {kDeviceTypeHal, kCreateSoftwareVertexProcessing, kInitHalSoftware},
        {kDeviceTypeRef, kCreateSoftwareVertexProcessing, kInitRefSoftware},
    };
    int created = kInitFailed;
    for (const Attempt &attempt : kAttempts) {
        if (system_->CreateDevice(kDefaultAdapter, attempt.deviceType, mainWindow, attempt.behavior,
                                  presentParameters_, device_) == hr::kOk &&
            device_) {
            created = attempt.result;
            break;
        }
        device_.reset();
    }
    if (created == kInitFailed) {
        system_.reset();
        return kInitFailed;
    }
    deviceCullState_ = kCullCounterClockwise;

    light_ = Light{};
    light_.Type = kLightDirectional;
    light_.Diffuse = ColorValue{0.8f, 0.8f, 0.8f, 0.0f};
    light_.Ambient = ColorValue{0.2f, 0.2f, 0.2f, 0.0f};
    const Vector3 direction{-1.0f, -1.0f, -1.0f};
    d3dx::D3DXVec3Normalize(&light_.Direction, &direction);

    const uint32_t stageStates[][2] = {
        {tss::kColorOp, kTopModulate}, {tss::kColorArg1, kTaTexture}, {tss::kColorArg2, kTaDiffuse},
        {tss::kAlphaOp, kTopModulate}, {tss::kAlphaArg1, kTaTexture}, {tss::kAlphaArg2, kTaDiffuse},
    };
    for (const auto &state : stageStates) {
        if (device_->SetTextureStageState(0, state[0], state[1]) != hr::kOk) return kInitFailed;
    }
    return created;
}

void SceneRenderer::ReleaseDevice() {
    if (device_) device_.reset();
    if (system_) system_.reset();
}

void SceneRenderer::SetBackBufferSize(uint32_t width, uint32_t height) {
    presentParameters_.BackBufferWidth = width;
    presentParameters_.BackBufferHeight = height;
}

HResult SceneRenderer::ResetDevice() {
    if (!device_) return hr::kInvalidCall;
    const HResult result = device_->Reset(presentParameters_);
    deviceCullState_ = kCullCounterClockwise;  // a reset restores the default states
    return result;
}

bool SceneRenderer::ReappliesViewAfterReset(HResult result) {
    return result == hr::kOk || result == hr::kInvalidCall || result == hr::kOutOfMemory ||
           result == hr::kOutOfVideoMemory;
}

void SceneRenderer::ResetAfterResize() {
    if (!HasDevice()) return;
    ResetDevice();
    ApplyViewSettings(-1, -1, -1);
}

void SceneRenderer::ResetAfterSizeMove() {
    if (!HasDevice()) return;
    if (ReappliesViewAfterReset(ResetDevice())) ApplyViewSettings(-1, -1, -1);
}

// A device lost to another application comes back here, at the next draw,
// instead of every frame failing until the window is resized.
bool SceneRenderer::RecoverLostDevice() {
    const HResult level = device_->TestCooperativeLevel();
    if (level == hr::kOk) return true;
    if (level != hr::kDeviceNotReset) return false;
    if (ResetDevice() != hr::kOk) return false;
    ApplyViewSettings(-1, -1, -1);
    return true;
}

bool SceneRenderer::BeginFrame(Color colour) {
    if (!HasDevice()) return false;
    if (!RecoverLostDevice()) return false;
    if (device_->Clear(0, nullptr, kClearTarget | kClearZBuffer, colour, 1.0f, 0) != hr::kOk) {
        return false;
    }
    return device_->BeginScene() == hr::kOk;
}

bool SceneRenderer::EndFrame() {
    if (!HasDevice()) return false;
    if (device_->EndScene() != hr::kOk) return false;
    return device_->Present(&presentRect_, &presentRect_, nullptr, nullptr) == hr::kOk;
}

bool SceneRenderer::DrawFrame(const SceneDocument &scene, const SceneFlags &flags) {
    const MotionFileHeader &header = scene.document.header;
    if (!BeginFrame(HeaderColour(header.backgroundColour))) return false;

    device_->SetTransform(kTransformWorld, IdentityWorld());

    light_.Direction = Vector3{-eye_.x, -eye_.y, -eye_.z};
    device_->SetLight(0, light_);
    device_->LightEnable(0, true);
    device_->SetTexture(0, nullptr);

    Material material{};
    material.Diffuse = material.Ambient = material.Specular = material.Emissive =
        ColorValue{0.5f, 0.5f, 0.5f, 0.5f};
    material.Power = 100.0f;
    device_->SetMaterial(material);

    if (flags.sceneReady == 1) {
        if (header.axisVisible != 0) DrawAxesAndLabels(header);
        if (header.statusTextVisible != 0 && header.partCount != 0 && header.motionCount != 0) {
            DrawOverlayLines(scene);
        }
        DrawParts(scene, flags);
    }
    EndFrame();
    return true;
}

void SceneRenderer::DrawParts(const SceneDocument &scene, const SceneFlags &flags) {
    const MotionFileHeader &header = scene.document.header;
    const FrameEntry *frame = SelectedFrame(scene);
    if (header.partCount == 0 || frame == nullptr || frame->positionCount == 0) return;

    device_->SetRenderState(rs::kAmbient, 0xFF3C3C3C);
    device_->SetRenderState(rs::kLighting, kTrue);
    device_->SetRenderState(rs::kAlphaBlendEnable, kTrue);
    device_->SetRenderState(rs::kSrcBlend, kBlendSrcAlpha);
    device_->SetRenderState(rs::kDestBlend, kBlendInvSrcAlpha);

    // The neighbouring frames first, without writing depth, so the selected
    // frame's parts stand over them.
    if (onionSkin_.previous != nullptr || onionSkin_.next != nullptr) {
        device_->SetRenderState(rs::kZWriteEnable, kFalse);
        if (onionSkin_.previous) DrawGhostFrame(scene, *onionSkin_.previous, {0.3f, 0.55f, 1.0f, 0.35f});
        if (onionSkin_.next) DrawGhostFrame(scene, *onionSkin_.next, {1.0f, 0.55f, 0.3f, 0.35f});
        device_->SetRenderState(rs::kZWriteEnable, kTrue);
    }

    for (int32_t i = 0; i < frame->positionCount; ++i) {
        if (i == scene.selectedPosition && flags.selectionBlink == 0) continue;
        const PositionEntry &position = frame->positions[i];
        DrawPositionPart(MeshOf(scene, position), position);
    }
}

const PartMesh *SceneRenderer::MeshOf(const SceneDocument &scene, const PositionEntry &position) const {
    // A part number outside the table draws nothing rather than reading past it.
    if (position.partNumber < 0 || position.partNumber >= scene.document.header.partCount ||
        static_cast<size_t>(position.partNumber) >= scene.partMeshes.size()) {
        return nullptr;
    }
    return dynamic_cast<const PartMesh *>(scene.partMeshes[position.partNumber].get());
}

void SceneRenderer::DrawGhostFrame(const SceneDocument &scene, const FrameEntry &frame,
                                   const ColorValue &tint) {
    // One tinted, translucent, untextured material for the whole frame.
    Material ghost{};
    ghost.Diffuse = tint;
    ghost.Ambient = tint;
    ghost.Emissive = {tint.r * 0.4f, tint.g * 0.4f, tint.b * 0.4f, 0.0f};
    for (uint16_t i = 0; i < frame.positionCount; ++i) {
        const PositionEntry &position = frame.positions[i];
        const PartMesh *mesh = MeshOf(scene, position);
        if (mesh == nullptr || !mesh->mesh) continue;
        device_->SetTransform(kTransformWorld, BuildPoseMatrix(position));
        device_->SetMaterial(ghost);
        device_->SetTexture(0, nullptr);
        for (uint32_t subset = 0; subset < mesh->materialCount; ++subset) mesh->mesh->DrawSubset(subset);
    }
}

bool SceneRenderer::DrawPositionPart(const PartMesh *mesh, const PositionEntry &position) {
    if (!device_) return false;
    if (mesh != nullptr && mesh->mesh) {
        device_->SetTransform(kTransformWorld, BuildPoseMatrix(position));
        const uint32_t count = std::min<uint32_t>(
            mesh->materialCount,
            static_cast<uint32_t>(std::min(mesh->materials.size(), mesh->textures.size())));
        for (uint32_t i = 0; i < count; ++i) {
            device_->SetMaterial(BuildPositionMaterial(mesh->materials[i], position));
            device_->SetTexture(0, mesh->textures[i].get());
            mesh->mesh->DrawSubset(i);
        }
    }
    device_->SetTexture(0, nullptr);
    return true;
}

std::unique_ptr<document::PartMeshResource> SceneRenderer::LoadPartMesh(
    const std::string &fileName) {
    if (!device_) return nullptr;
    auto mesh = std::make_unique<PartMesh>();
    if (!render::LoadPartMesh(*device_, fileName, *mesh, loaders_)) {
        ReleasePartMesh(*mesh);
        return nullptr;
    }
    return mesh;
}

void SceneRenderer::SetMeshLoadMessage(const std::string &text) {
    meshLoadMessage_ = text.substr(0, base::Cp932PrefixLength(text, kMeshLoadMessageBytes));
}

}  // namespace morvel::render
