#include "render/status_texts.h"

#include <cstdio>

namespace morvel::render {
namespace {

std::string FormatInt(const char *format, int value) {
    char buffer[1024];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

std::string FormatDouble(const char *format, double value) {
    char buffer[1024];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

}  // namespace

StatusTexts FormatStatusTexts(const SceneDocument &scene, int editMode) {
    const MotionFileHeader &header = scene.document.header;
    if (editMode == kEditView) {
        return {FormatInt("View-Rotation-X[%d] [↑,↓]", header.cameraElevation),
                FormatInt("View-Rotation-Y[%d] [←,→]", header.cameraAzimuth),
                FormatInt("View-Scale[%d] [Home, End]", header.cameraDistance)};
    }
    const PositionEntry *position = SelectedPosition(scene);
    if (position == nullptr) return {};
    switch (editMode) {
    case kEditTranslate:
        return {FormatDouble("Position-X[%f] [←,→]", position->translation.x),
                FormatDouble("Position-Y[%f] [↑,↓]", position->translation.y),
                FormatDouble("Position-Z[%f] [Home, End]", position->translation.z)};
    case kEditRotate:
        return {FormatInt("Rotation-X[%d] [↑,↓]", position->rotation.x),
                FormatInt("Rotation-Y[%d] [←,→]", position->rotation.y),
                FormatInt("Rotation-Z[%d] [Home, End]", position->rotation.z)};
    case kEditScale:
        return {FormatDouble("Scale-X[%f] [←,→]", position->scale.x),
                FormatDouble("Scale-Y[%f] [↑,↓]", position->scale.y),
                FormatDouble("Scale-Z[%f] [Home, End]", position->scale.z)};
    default:
        return {};
    }
}

void UpdateStatusTexts(const SceneDocument &scene, int editMode, StatusBarSink &statusBar) {
    const StatusTexts texts = FormatStatusTexts(scene, editMode);
    for (int part = 0; part < 3; ++part) statusBar.SetStatusText(part, texts[part]);
}

}  // namespace morvel::render
