// The editor's one renderer: it draws the selected frame of a document into
// the present rectangle of the main window. The jobs are parts of their own
// (device_session.h, view_camera.h, axes_and_labels.h, overlay_text.h,
// onion_skin.h, part_mesh_loader.h); this class puts them in order and is
// what the main window's logic and the document talk to.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "document/part_mesh_port.h"
#include "render/asset_loaders.h"
#include "render/axes_and_labels.h"
#include "render/device_session.h"
#include "render/onion_skin.h"
#include "render/overlay_text.h"
#include "render/part_mesh.h"
#include "render/part_mesh_loader.h"
#include "render/render_device.h"
#include "render/scene_document.h"
#include "render/scene_flags.h"
#include "render/view_camera.h"

namespace morvel::render {

class SceneRenderer : public document::PartMeshLoader {
public:
    explicit SceneRenderer(RenderSystemFactory direct3DCreate8,
                           const AssetLoaders &loaders = DefaultAssetLoaders());
    ~SceneRenderer() override;
    SceneRenderer(const SceneRenderer &) = delete;
    SceneRenderer &operator=(const SceneRenderer &) = delete;

    // Device lifetime (device_session.h), with the scene's light.
    void SetDeviceWindow(void *window) { session_.SetDeviceWindow(window); }
    int InitDevice(void *mainWindow);
    void ReleaseDevice() { session_.Release(); }
    bool HasDevice() const { return session_.HasDevice(); }
    RenderDevice *Device() { return session_.Device(); }
    void SetPresentRect(const Rect &rect) { session_.SetPresentRect(rect); }
    const Rect &PresentRect() const { return session_.PresentRect(); }
    void SetBackBufferSize(uint32_t width, uint32_t height) {
        session_.SetBackBufferSize(width, height);
    }
    // Reset with the stored presentation parameters; the caller decides
    // about ApplyViewSettings(-1, -1, -1) from the result.
    HResult ResetDevice() { return session_.Reset(); }
    // The results after which a reset is followed by ApplyViewSettings.
    static bool ReappliesViewAfterReset(HResult result);
    // The window layer's two resets, no-ops without a device. After a
    // restore or maximise outside a frame drag the view is set again
    // whatever the reset returned; at the end of a drag only after the
    // results ReappliesViewAfterReset names.
    void ResetAfterResize();
    void ResetAfterSizeMove();

    bool BeginFrame(Color colour);
    bool EndFrame() { return session_.EndFrame(); }
    // False when nothing was presented. A scene that is not ready shows only
    // the background, and not at all before the first ready frame.
    bool DrawFrame(const SceneDocument &scene, const SceneFlags &flags);

    // The camera (view_camera.h); -1 keeps a stored value.
    bool ApplyViewSettings(int cullMode, int rightHanded, int axisDirection);
    bool SetViewCamera(int elevation, int azimuth, int distance) {
        return camera_.SetCamera(session_.Device(), elevation, azimuth, distance);
    }

    // Axes and labels (axes_and_labels.h).
    bool LoadLabelTextures(d3dx::ResourceModule *module);
    const LabelTexture &Label(LabelSlot slot) const { return axes_.Label(slot); }

    // Overlay text (overlay_text.h).
    bool DrawOverlayText(const std::string &text, int32_t x, int32_t y, int size, Color colour);
    void SetTextRasterizer(TextRasterizer *rasterizer) { overlayText_.SetRasterizer(rasterizer); }

    // The onion-skin frames of the next DrawFrame calls; none by default, and
    // then DrawFrame's calls are exactly those without it.
    void SetOnionSkin(const OnionSkin &frames) { onionSkin_ = frames; }

    // The position of the selected frame whose part shows at client pixel
    // (x, y) of the view as last drawn, nearest first; -1 for none.
    int32_t PickPosition(const SceneDocument &scene, int x, int y) const;

    // Draws one position of the selected frame; `mesh` may be nullptr.
    bool DrawPositionPart(const PartMesh *mesh, const PositionEntry &position);

    // PartMeshLoader (part_mesh_loader.h)
    std::unique_ptr<document::PartMeshResource> LoadPartMesh(const std::string &fileName) override {
        return meshes_.LoadPartMesh(fileName);
    }
    void SetMeshLoadMessage(const std::string &text) override { meshes_.SetMeshLoadMessage(text); }
    const std::string &MeshLoadMessage() const { return meshes_.MeshLoadMessage(); }

    const Vector3 &Eye() const { return camera_.Eye(); }
    const Matrix &ViewMatrix() const { return camera_.ViewMatrix(); }
    const Matrix &ProjectionMatrix() const { return camera_.ProjectionMatrix(); }
    const Light &SceneLight() const { return light_; }
    const PresentParameters &PresentationParameters() const {
        return session_.PresentationParameters();
    }
    int8_t StoredCullMode() const { return camera_.CullMode(); }
    int8_t StoredRightHanded() const { return camera_.RightHanded(); }
    int8_t StoredAxisDirection() const { return camera_.AxisDirection(); }

private:
    // Fills the buffers and textures the frame draws before it begins.
    void PrepareFrame(const MotionFileHeader &header, const std::vector<OverlayLine> &overlay);
    void DrawOverlayLines(const MotionFileHeader &header, const std::vector<OverlayLine> &overlay);
    void DrawParts(const SceneDocument &scene, const SceneFlags &flags);

    const AssetLoaders &loaders_;
    DeviceSession session_;
    ViewCamera camera_;
    AxesAndLabels axes_;
    OverlayTextDrawer overlayText_;
    OnionSkin onionSkin_;
    DevicePartMeshLoader meshes_;
    Light light_{};
    bool presentedReadyFrame_ = false;
};

}  // namespace morvel::render
