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
    // The textures and the vertex buffers.
    void ReleaseLabels();
    const LabelTexture &Label(LabelSlot slot) const { return labels_[slot]; }

    // Fills the vertex buffers Draw takes (the lines again when the axis
    // colour changed). Called before a frame begins: a buffer filled while
    // the driver still draws the frame would wait for it.
    void Prepare(RenderDevice &device, const MotionFileHeader &header);

    // Axes, ticks and labels in the header's axis colour, sized by its
    // camera distance and turned by its camera angles; what Prepare could
    // not make is left out.
    void Draw(RenderDevice &device, const MotionFileHeader &header) const;

private:
    std::array<LabelTexture, 3> labels_;
    std::unique_ptr<VertexBuffer> lines_;      // XYZ | DIFFUSE line list
    std::unique_ptr<VertexBuffer> labelQuad_;  // XYZ | DIFFUSE | TEX1 triangle list
    Color linesColour_ = 0;
};

}  // namespace morvel::render
