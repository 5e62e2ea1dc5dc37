// The coordinate axes with their tick marks and the X, Y and Z labels: three
// bitmap textures from the program's resources, drawn as quads that face
// the camera and away from it.
#pragma once

#include <array>
#include <memory>

#include "mvllib/mvllib.h"
#include "render/asset_loaders.h"
#include "render/d3dx_texture.h"
#include "render/render_device.h"

namespace morvel::render {

struct LabelTexture {
    std::unique_ptr<DeviceTexture> texture;  // none when not loaded
};

enum LabelSlot { kLabelX = 0, kLabelY = 1, kLabelZ = 2 };

class AxesAndLabels {
public:
    // Loads "IDB_FONT_X", "IDB_FONT_Y" and "IDB_FONT_Z" anew; false at the
    // first that fails (it and those after it stay unloaded).
    bool LoadLabels(RenderDevice &device, d3dx::ResourceModule *module,
                    const AssetLoaders &loaders);
    void ReleaseLabels();
    const LabelTexture &Label(LabelSlot slot) const { return labels_[slot]; }

    // Axes, ticks and labels in the header's axis colour, sized by its
    // camera distance and turned by its camera angles.
    void Draw(RenderDevice &device, const MotionFileHeader &header) const;

private:
    std::array<LabelTexture, 3> labels_;
};

// One line of the axes' kind (XYZ | DIFFUSE), untextured.
bool DrawLine3D(RenderDevice &device, const Vector3 &from, const Vector3 &to, Color colour);

// A textured quad of half sizes halfWidth, halfHeight, scaled, rotated
// (whole degrees X, Y, Z) and moved to position.
bool DrawLabelQuad(RenderDevice &device, const Vector3 &position, const Vector3 &rotationDegrees,
                   const Vector3 &scale, float halfWidth, float halfHeight, Color colour,
                   const LabelTexture &label);

}  // namespace morvel::render
