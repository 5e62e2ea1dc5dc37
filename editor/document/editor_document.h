// The editor's document: a motion document with the meshes of its parts and
// the selection, and the operations that load, copy and save it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "document/part_mesh_port.h"
#include "document/ui_ports.h"
#include "mvllib/mvllib.h"

namespace morvel::document {

struct EditorDocument {
    MotionDocument document{};
    std::vector<std::unique_ptr<PartMeshResource>> partMeshes;
    int32_t selectedMotion = 0;
    int32_t selectedFrame = 0;
    int32_t selectedPosition = 0;
};

// Results of LoadDocument and OpenIntoDocument besides the loader's codes.
constexpr int kLoadMeshFailed = -4;
constexpr int kOpenCancelled = -1;  // OpenIntoDocument: the chooser was cancelled
constexpr int kOpenUnreadable = -2;  // OpenIntoDocument: not readable as a motion file

// Results of SaveDocument.
constexpr int kSaveWritten = 1;
constexpr int kSaveCancelled = 0;
constexpr int kSaveFailed = -1;

// The three states the first byte of the editor's filePath encodes.
enum class FilePathState {
    UntouchedNew,    // empty
    EditedUnsaved,   // the single byte 0x01
    HasFile,         // the path of the file the document came from or went to
};
FilePathState StateOfFilePath(const PathBuffer &filePath);
// Marks a new document as changed by a dialog; a path stays as it is.
void MarkEditedIfNew(PathBuffer &filePath);

void InitDocument(EditorDocument &document);
void ReleaseDocument(EditorDocument &document);

// Loads every part's mesh through loader; a part whose mesh fails keeps a
// nullptr and its file name goes into the loader's mesh-load message.
bool LoadPartMeshes(EditorDocument &document, PartMeshLoader &loader);
void ReleasePartMeshes(EditorDocument &document);

// 0, the loader's -1 to -3 (the document is left empty), or kLoadMeshFailed
// (the tables are loaded, some part has no mesh).
int LoadDocument(EditorDocument &document, const std::string &path, const std::string &userCode,
                 PartMeshLoader &loader);

// Destination becomes an independent copy of source with meshes of its own.
// False only when memory ran out (the destination is then empty).
bool CopyDocument(EditorDocument &destination, const EditorDocument &source,
                  PartMeshLoader &loader);

// Loads the file named in path, or one chosen by the user when path is
// empty. 0, -3 and -4 as LoadDocument (path then holds the file's path);
// kOpenCancelled; kOpenUnreadable (path unchanged).
int OpenIntoDocument(OwnerWindow owner, EditorDocument &document, const std::string &userCode,
                     PathBuffer &path, FileChooser &chooser, PartMeshLoader &loader);

// Writes the document to path, or to a file chosen by the user when path is
// empty, with ".mvl" added as needed. kSaveWritten (pathOut then holds the
// path written), kSaveCancelled or kSaveFailed; pathOut may be the buffer
// path came from.
int SaveDocument(OwnerWindow owner, EditorDocument &document, const std::string &path,
                 PathBuffer &pathOut, FileChooser &chooser);

}  // namespace morvel::document
