// The editor's one renderer: it owns the Direct3D object and device, the
// light and the axis-label textures, and draws the selected frame of a
// document into the present rectangle of the main window.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "document/part_mesh_port.h"
#include "render/asset_loaders.h"
#include "base/d3d_types.h"
#include "render/d3dx_texture.h"
#include "render/overlay_text.h"
#include "render/part_mesh.h"
#include "render/render_device.h"
#include "render/scene_document.h"
#include "render/scene_flags.h"

namespace morvel::render {

struct LabelTexture {
    std::unique_ptr<DeviceTexture> texture;  // none when not loaded
};

enum LabelSlot { kLabelX = 0, kLabelY = 1, kLabelZ = 2 };

// InitDevice results.
enum InitDeviceResult : int {
    kInitHalHardware = 0,
    kInitHalSoftware = 1,
    kInitRefSoftware = 2,
    kInitFailed = -1,
};

// Frames drawn translucent behind the selected frame while posing: the one
// before it and the one after it (either may be missing).
struct OnionSkin {
    const FrameEntry *previous = nullptr;
    const FrameEntry *next = nullptr;
};

class SceneRenderer : public document::PartMeshLoader {
public:
    explicit SceneRenderer(RenderSystemFactory direct3DCreate8,
                           const AssetLoaders &loaders = DefaultAssetLoaders());
    ~SceneRenderer() override;
    SceneRenderer(const SceneRenderer &) = delete;
    SceneRenderer &operator=(const SceneRenderer &) = delete;

    // The window the device presents into, when it is not the focus window
    // InitDevice is given; set before InitDevice. None by default.
    void SetDeviceWindow(void *window) { deviceWindow_ = window; }
    // Device creation with the hardware → software → reference fallback.
    int InitDevice(void *mainWindow);
    void ReleaseDevice();
    bool HasDevice() const { return system_ && device_; }
    RenderDevice *Device() { return device_.get(); }

    void SetPresentRect(const Rect &rect) { presentRect_ = rect; }
    const Rect &PresentRect() const { return presentRect_; }
    // The window layer's resize: the new client size for the next reset.
    void SetBackBufferSize(uint32_t width, uint32_t height);
    // Reset with the stored presentation parameters; the caller decides
    // about ApplyViewSettings(-1, -1, -1) from the result.
    HResult ResetDevice();
    // The results after which a reset is followed by ApplyViewSettings.
    static bool ReappliesViewAfterReset(HResult result);
    // The window layer's two resets, no-ops without a device. After a
    // restore or maximise outside a frame drag the view is set again
    // whatever the reset returned; at the end of a drag only after the
    // results ReappliesViewAfterReset names.
    void ResetAfterResize();
    void ResetAfterSizeMove();

    bool BeginFrame(Color colour);
    bool EndFrame();
    bool DrawFrame(const SceneDocument &scene, const SceneFlags &flags);

    // -1 keeps a stored value.
    bool ApplyViewSettings(int cullMode, int rightHanded, int axisDirection);
    bool SetViewCamera(int elevation, int azimuth, int distance);

    bool DrawLine3D(const Vector3 &from, const Vector3 &to, Color colour);
    bool DrawLabelQuad(const Vector3 &position, const Vector3 &rotationDegrees, const Vector3 &scale,
                       float halfWidth, float halfHeight, Color colour, const LabelTexture &label);
    bool LoadLabelTextures(d3dx::ResourceModule *module);
    bool DrawOverlayText(const std::string &text, int32_t x, int32_t y, int size, Color colour);
    void SetTextRasterizer(TextRasterizer *rasterizer) { overlayText_.SetRasterizer(rasterizer); }

    // The onion-skin frames of the next DrawFrame calls; none by default, and
    // then DrawFrame's calls are exactly those without it.
    void SetOnionSkin(const OnionSkin &frames) { onionSkin_ = frames; }

    // Draws one position of the selected frame; `mesh` may be nullptr.
    bool DrawPositionPart(const PartMesh *mesh, const PositionEntry &position);

    // PartMeshLoader
    std::unique_ptr<document::PartMeshResource> LoadPartMesh(const std::string &fileName) override;
    void SetMeshLoadMessage(const std::string &text) override;
    const std::string &MeshLoadMessage() const { return meshLoadMessage_; }

    const Vector3 &Eye() const { return eye_; }
    const Matrix &ViewMatrix() const { return view_; }
    const Matrix &ProjectionMatrix() const { return projection_; }
    const Light &SceneLight() const { return light_; }
    const PresentParameters &PresentationParameters() const { return presentParameters_; }
    int8_t StoredCullMode() const { return cullMode_; }
    int8_t StoredRightHanded() const { return rightHanded_; }
    int8_t StoredAxisDirection() const { return axisDirection_; }
    const LabelTexture &Label(LabelSlot slot) const { return labels_[slot]; }

private:
    bool RecoverLostDevice();
    void DrawAxesAndLabels(const MotionFileHeader &header);
    void DrawOverlayLines(const SceneDocument &scene);
    void DrawParts(const SceneDocument &scene, const SceneFlags &flags);
    void DrawGhostFrame(const SceneDocument &scene, const FrameEntry &frame, const ColorValue &tint);
    const PartMesh *MeshOf(const SceneDocument &scene, const PositionEntry &position) const;
    // The look-at of the stored eye, or false when it is degenerate.
    bool ComputeView(Matrix &view) const;

    RenderSystemFactory direct3DCreate8_;
    const AssetLoaders &loaders_;

    void *deviceWindow_ = nullptr;
    std::unique_ptr<RenderSystem> system_;
    std::unique_ptr<RenderDevice> device_;
    PresentParameters presentParameters_{};
    Matrix projection_;
    Matrix view_;
    Light light_{};
    int8_t cullMode_ = 0;
    int8_t rightHanded_ = 0;
    int8_t axisDirection_ = 0;
    Vector3 eye_{0.0f, 0.0f, 0.0f};
    Rect presentRect_{0, 0, 0, 0};
    std::string meshLoadMessage_;
    std::array<LabelTexture, 3> labels_;

    uint32_t deviceCullState_;  // D3DCULL value last set (the device default at first)
    OverlayTextDrawer overlayText_;
    OnionSkin onionSkin_;
};

}  // namespace morvel::render
