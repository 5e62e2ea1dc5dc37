#include "render/scene_renderer.h"

#include <algorithm>

#include "render/d3dx_math.h"
#include "render/pose.h"

namespace morvel::render {
namespace {

Matrix IdentityWorld() {
    Matrix translation, scaling, world;
    d3dx::D3DXMatrixTranslation(&translation, 0.0f, 0.0f, 0.0f);
    d3dx::D3DXMatrixScaling(&scaling, 1.0f, 1.0f, 1.0f);
    d3dx::D3DXMatrixMultiply(&world, &translation, &scaling);
    return world;
}

bool ShowsOverlay(const MotionFileHeader &header) {
    return header.statusTextVisible != 0 && header.partCount != 0 && header.motionCount != 0;
}

}  // namespace

SceneRenderer::SceneRenderer(RenderSystemFactory direct3DCreate8, const AssetLoaders &loaders)
    : loaders_(loaders), session_(std::move(direct3DCreate8)), meshes_(session_, loaders) {}

SceneRenderer::~SceneRenderer() {
    // Textures go before the device that made them.
    overlayText_.Clear();
    axes_.ReleaseLabels();
    session_.Release();
}

int SceneRenderer::InitDevice(void *mainWindow) {
    const int created = session_.Init(mainWindow);
    if (created == kInitFailed) return created;
    light_ = Light{};
    light_.Type = kLightDirectional;
    light_.Diffuse = ColorValue{0.8f, 0.8f, 0.8f, 0.0f};
    light_.Ambient = ColorValue{0.2f, 0.2f, 0.2f, 0.0f};
    const Vector3 direction{-1.0f, -1.0f, -1.0f};
    d3dx::D3DXVec3Normalize(&light_.Direction, &direction);
    return created;
}

bool SceneRenderer::ReappliesViewAfterReset(HResult result) {
    return result == hr::kOk || result == hr::kInvalidCall || result == hr::kOutOfMemory ||
           result == hr::kOutOfVideoMemory;
}

void SceneRenderer::ResetAfterResize() {
    if (!HasDevice()) return;
    // The first size of the window is the one the device was made with: a
    // reset would only wait for the driver to finish starting.
    if (!session_.BackBufferHasSize()) session_.Reset();
    ApplyViewSettings(-1, -1, -1);
}

void SceneRenderer::ResetAfterSizeMove() {
    if (!HasDevice()) return;
    if (ReappliesViewAfterReset(session_.Reset())) ApplyViewSettings(-1, -1, -1);
}

bool SceneRenderer::ApplyViewSettings(int cullMode, int rightHanded, int axisDirection) {
    uint32_t cullState = session_.CullState();
    camera_.ApplySettings(session_.Device(), session_.PresentRect(), cullMode, rightHanded,
                          axisDirection, cullState);
    session_.SetCullState(cullState);
    return true;
}

bool SceneRenderer::LoadLabelTextures(d3dx::ResourceModule *module) {
    RenderDevice *device = session_.Device();
    return device != nullptr && axes_.LoadLabels(*device, module, loaders_);
}

bool SceneRenderer::BeginFrame(Color colour) {
    bool wasReset = false;
    if (!session_.ReadyToDraw(wasReset)) return false;
    if (wasReset) ApplyViewSettings(-1, -1, -1);
    RenderDevice &device = *session_.Device();
    if (device.Clear(0, nullptr, kClearTarget | kClearZBuffer, colour, 1.0f, 0) != hr::kOk) {
        return false;
    }
    return device.BeginScene() == hr::kOk;
}

bool SceneRenderer::DrawFrame(const SceneDocument &scene, const SceneFlags &flags) {
    const MotionFileHeader &header = scene.document.header;
    // Nothing is presented before the first frame of a ready scene: a blank
    // frame presented while the program starts keeps the driver busy, and
    // the first textures would wait for it.
    if (flags.sceneReady != 1 && !presentedReadyFrame_) return false;
    // The overlay's lines are formatted once: made before the frame, drawn in it.
    const std::vector<OverlayLine> overlay = flags.sceneReady == 1 && ShowsOverlay(header)
                                                 ? FormatOverlayLines(scene, session_.PresentRect())
                                                 : std::vector<OverlayLine>{};
    if (flags.sceneReady == 1) PrepareFrame(header, overlay);
    if (!BeginFrame(HeaderColour(header.backgroundColour))) return false;
    RenderDevice &device = *session_.Device();

    device.SetTransform(kTransformWorld, IdentityWorld());

    const Vector3 &eye = camera_.Eye();
    light_.Direction = Vector3{-eye.x, -eye.y, -eye.z};
    device.SetLight(0, light_);
    device.LightEnable(0, true);
    device.SetTexture(0, nullptr);

    Material material{};
    material.Diffuse = material.Ambient = material.Specular = material.Emissive =
        ColorValue{0.5f, 0.5f, 0.5f, 0.5f};
    material.Power = 100.0f;
    device.SetMaterial(material);

    if (flags.sceneReady == 1) {
        if (header.axisVisible != 0) axes_.Draw(device, header);
        DrawOverlayLines(header, overlay);
        DrawParts(scene, flags);
    }
    if (EndFrame() && flags.sceneReady == 1) presentedReadyFrame_ = true;
    return true;
}

void SceneRenderer::PrepareFrame(const MotionFileHeader &header,
                                 const std::vector<OverlayLine> &overlay) {
    RenderDevice *device = session_.Device();
    if (device == nullptr) return;
    if (header.axisVisible != 0) axes_.Prepare(*device, header);
    const Color colour = HeaderColour(header.statusTextColour);
    for (const OverlayLine &line : overlay) {
        overlayText_.Prepare(*device, line.text, 0, line.y, kOverlayTextSize, colour);
    }
}

void SceneRenderer::DrawParts(const SceneDocument &scene, const SceneFlags &flags) {
    const MotionFileHeader &header = scene.document.header;
    const FrameEntry *frame = SelectedFrame(scene);
    if (header.partCount == 0 || frame == nullptr || frame->positionCount == 0) return;

    RenderDevice &device = *session_.Device();
    device.SetRenderState(rs::kAmbient, 0xFF3C3C3C);
    device.SetRenderState(rs::kLighting, kTrue);
    device.SetRenderState(rs::kAlphaBlendEnable, kTrue);
    device.SetRenderState(rs::kSrcBlend, kBlendSrcAlpha);
    device.SetRenderState(rs::kDestBlend, kBlendInvSrcAlpha);

    DrawOnionSkin(device, scene, onionSkin_);

    for (int32_t i = 0; i < frame->positionCount; ++i) {
        if (i == scene.selectedPosition && flags.selectionBlink == 0) continue;
        const PositionEntry &position = frame->positions[i];
        DrawPositionPart(PartMeshOf(scene, position), position);
    }
}

int32_t SceneRenderer::PickPosition(const SceneDocument &scene, int x, int y) const {
    const FrameEntry *frame = SelectedFrame(scene);
    if (frame == nullptr || scene.document.header.partCount == 0) return -1;
    // The view fills the whole back buffer and is presented 1:1 into the
    // window at the same client coordinates.
    const PresentParameters &present = session_.PresentationParameters();
    PickRay ray;
    if (!RayThroughPixel(camera_.ViewMatrix(), camera_.ProjectionMatrix(), x, y,
                         present.BackBufferWidth, present.BackBufferHeight, ray)) {
        return -1;
    }
    int32_t picked = -1;
    double nearest = 0.0;
    for (int32_t i = 0; i < frame->positionCount; ++i) {
        const PositionEntry &position = frame->positions[i];
        const PartMesh *mesh = PartMeshOf(scene, position);
        double t = 0.0;
        if (mesh == nullptr || !mesh->mesh ||
            !NearestHit(ray, BuildPoseMatrix(position), mesh->pickMesh, t)) {
            continue;
        }
        if (picked < 0 || t < nearest) {
            picked = i;
            nearest = t;
        }
    }
    return picked;
}

bool SceneRenderer::DrawPositionPart(const PartMesh *mesh, const PositionEntry &position) {
    RenderDevice *device = session_.Device();
    if (device == nullptr) return false;
    if (mesh != nullptr && mesh->mesh) {
        device->SetTransform(kTransformWorld, BuildPoseMatrix(position));
        const uint32_t count = std::min<uint32_t>(
            mesh->materialCount,
            static_cast<uint32_t>(std::min(mesh->materials.size(), mesh->textures.size())));
        for (uint32_t i = 0; i < count; ++i) {
            device->SetMaterial(BuildPositionMaterial(mesh->materials[i], position));
            device->SetTexture(0, mesh->textures[i].get());
            mesh->mesh->DrawSubset(i);
        }
    }
    device->SetTexture(0, nullptr);
    return true;
}

bool SceneRenderer::DrawOverlayText(const std::string &text, int32_t x, int32_t y, int size,
                                    Color colour) {
    RenderDevice *device = session_.Device();
    if (device == nullptr) return false;
    return overlayText_.Draw(*device, text, x, y, size, colour, session_.CullState());
}

void SceneRenderer::DrawOverlayLines(const MotionFileHeader &header,
                                     const std::vector<OverlayLine> &overlay) {
    const Color colour = HeaderColour(header.statusTextColour);
    for (const OverlayLine &line : overlay) {
        DrawOverlayText(line.text, 0, line.y, kOverlayTextSize, colour);
    }
}

}  // namespace morvel::render
