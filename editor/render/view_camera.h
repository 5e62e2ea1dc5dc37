// The view camera: the eye on its sphere around the origin, the view and
// projection matrices, and the view settings of the header (culling,
// handedness, axis directions) with the render states that go with them.
#pragma once

#include <cstdint>

#include "base/d3d_types.h"
#include "render/render_device.h"

namespace morvel::render {

class ViewCamera {
public:
    ViewCamera();

    // Stores the settings (-1 keeps a stored value); with a device, sets the
    // view, the projection for presentRect, the culling (recorded in
    // deviceCullState) and the render states of a scene.
    void ApplySettings(RenderDevice *device, const Rect &presentRect, int cullMode, int rightHanded,
                       int axisDirection, uint32_t &deviceCullState);

    // The eye at elevation and azimuth (degrees) and distance; the view
    // follows unless the eye is degenerate. False when the device refuses.
    bool SetCamera(RenderDevice *device, int elevation, int azimuth, int distance);

    const Vector3 &Eye() const { return eye_; }
    const Matrix &ViewMatrix() const { return view_; }
    const Matrix &ProjectionMatrix() const { return projection_; }
    int8_t CullMode() const { return cullMode_; }
    int8_t RightHanded() const { return rightHanded_; }
    int8_t AxisDirection() const { return axisDirection_; }

private:
    // The look-at of the stored eye, or false when it is degenerate.
    bool ComputeView(Matrix &view) const;

    Matrix projection_;
    Matrix view_;
    int8_t cullMode_ = 0;
    int8_t rightHanded_ = 0;
    int8_t axisDirection_ = 0;
    Vector3 eye_{0.0f, 0.0f, 0.0f};
};

}  // namespace morvel::render
