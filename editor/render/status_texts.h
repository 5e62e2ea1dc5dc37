// The three status-bar texts: the numbers the current edit mode changes,
// each with the keys that change it.
#pragma once

#include <array>
#include <string>

#include "render/scene_document.h"

namespace morvel::render {

// editMode of the editor state.
enum EditMode : int { kEditView = 0, kEditTranslate = 1, kEditRotate = 2, kEditScale = 3 };

using StatusTexts = std::array<std::string, 3>;

// View mode shows the camera; modes 1 to 3 the selected position, and only
// when there is one. Any other case gives three empty texts.
StatusTexts FormatStatusTexts(const SceneDocument &scene, int editMode);

// Where the texts go: the main window's status bar (SB_SETTEXT parts 0-2).
class StatusBarSink {
public:
    virtual ~StatusBarSink() = default;
    virtual void SetStatusText(int part, const std::string &text) = 0;
};

// Sets all three parts, also when empty.
void UpdateStatusTexts(const SceneDocument &scene, int editMode, StatusBarSink &statusBar);

}  // namespace morvel::render
