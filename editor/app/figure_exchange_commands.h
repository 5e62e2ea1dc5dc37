// The ツール menu's bridges to other tools: a figure folder made from a glTF
// or OBJ file and opened as the current document, and the current document
// written as a glTF file.
#pragma once

#include "app/editor.h"

namespace morvel::app {

// Asks about the current document, lets the user choose the file and the
// folder the figure's own folder (named after the file) goes into, makes it
// (replacing an existing one only when the user says so) and opens its
// motion file as Open would.
void ImportFigureCommand(Editor &editor);

// The current document, every motion, as .gltf (textures beside it) or .glb,
// through the save chooser; parts are found as the editor found them, in
// the motion file's folder (the current folder for a document never saved).
void ExportGltfCommand(Editor &editor);

}  // namespace morvel::app
