#include "document/editor_document.h"

#include <cstring>

#include "base/field_text.h"
#include "document/file_choosers.h"
#include "document/path_rules.h"
#include "formats/motion/motion_file_writer.h"

namespace morvel::document {

FilePathState StateOfFilePath(const PathBuffer &filePath) {
    const auto first = static_cast<unsigned char>(filePath[0]);
    if (first == 0) return FilePathState::UntouchedNew;
    if (first == 0x01 && filePath[1] == '\0') return FilePathState::EditedUnsaved;
    return FilePathState::HasFile;
}

void MarkEditedIfNew(PathBuffer &filePath) {
    if (filePath[0] != '\0') return;
    filePath[0] = '\x01';
    filePath[1] = '\0';
}

void InitDocument(EditorDocument &document) {
    Mvl_Func_ObjectInit(&document.document);
    document.document.parts = nullptr;
    document.document.motions = nullptr;
    document.partMeshes.clear();
    document.selectedMotion = 0;
    document.selectedFrame = 0;
    document.selectedPosition = 0;
}

void ReleaseDocument(EditorDocument &document) {
    ReleasePartMeshes(document);
    Mvl_Func_Delete(&document.document);
}

bool LoadPartMeshes(EditorDocument &document, PartMeshLoader &loader) {
    ReleasePartMeshes(document);
    const uint16_t count = document.document.header.partCount;
    if (count == 0) return true;
    document.partMeshes.resize(count);
    bool allLoaded = true;
    for (uint16_t p = 0; p < count; ++p) {
        const PartEntry &part = document.document.parts[p];
        const std::string fileName = base::FieldText(part.fileName, sizeof part.fileName);
        document.partMeshes[p] = loader.LoadPartMesh(fileName);
        if (document.partMeshes[p] == nullptr) {
            loader.SetMeshLoadMessage("Xファイルの読み込みに失敗しました。(" + fileName + ")");
            allLoaded = false;
        }
    }
    return allLoaded;
}

void ReleasePartMeshes(EditorDocument &document) { document.partMeshes.clear(); }

int LoadDocument(EditorDocument &document, const std::string &path, const std::string &userCode,
                 PartMeshLoader &loader) {
    ReleaseDocument(document);
    InitDocument(document);
    const int result = Mvl_Func_Load(&document.document, path.c_str(), userCode.c_str());
    if (result != MVL_LOAD_OK) return result;
    return LoadPartMeshes(document, loader) ? 0 : kLoadMeshFailed;
}

bool CopyDocument(EditorDocument &destination, const EditorDocument &source,
                  PartMeshLoader &loader) {
    if (&destination == &source) return true;
    ReleaseDocument(destination);
    const bool copied = Mvl_Func_Copy(&destination.document, &source.document) != 0;
    LoadPartMeshes(destination, loader);
    destination.selectedMotion = source.selectedMotion;
    destination.selectedFrame = source.selectedFrame;
    destination.selectedPosition = source.selectedPosition;
    return copied;
}

namespace {

void StorePath(PathBuffer &buffer, const std::string &path) {
    buffer.fill('\0');
    std::memcpy(buffer.data(), path.data(), path.size());
}

}  // namespace

int OpenIntoDocument(OwnerWindow owner, EditorDocument &document, const std::string &userCode,
                     PathBuffer &path, FileChooser &chooser, PartMeshLoader &loader) {
    std::string chosen = base::BufferText(path.data(), path.size());
    if (chosen.empty()) {
        PathBuffer picked{};
        if (!chooser.ChooseFile(MotionFileChooserRequest(FileChooserMode::Open, owner), picked)) {
            return kOpenCancelled;
        }
        chosen = base::BufferText(picked.data(), picked.size());
    }
    const int result = LoadDocument(document, chosen, userCode, loader);
    if (result == MVL_LOAD_UNREADABLE || result == MVL_LOAD_BAD_MAGIC) return kOpenUnreadable;
    StorePath(path, chosen);
    return result;
}

int SaveDocument(OwnerWindow owner, EditorDocument &document, const std::string &path,
                 PathBuffer &pathOut, FileChooser &chooser) {
    std::string chosen = path;
    if (chosen.empty()) {
        PathBuffer picked{};
        if (!chooser.ChooseFile(MotionFileChooserRequest(FileChooserMode::Save, owner), picked)) {
            return kSaveCancelled;
        }
        chosen = base::BufferText(picked.data(), picked.size());
    }
    chosen = WithMotionFileExtension(chosen);
    // The path must fit the editor's buffer, or it could not be kept as filePath.
    if (chosen.size() >= kPathBufferSize) return kSaveFailed;
    if (!formats::motion::WriteMotionFile(document.document, chosen)) return kSaveFailed;
    StorePath(pathOut, chosen);
    return kSaveWritten;
}

}  // namespace morvel::document
