#include "document/file_choosers.h"

#include "base/field_text.h"

namespace morvel::document {

namespace {

// A save chooser that insisted on an existing file would refuse every new
// name (Windows enforces the flag there), so only open choosers carry it.
FileChooserRequest RequestFor(FileChooserMode mode, OwnerWindow owner) {
    FileChooserRequest request;
    request.mode = mode;
    request.owner = owner;
    request.fileMustExist = mode == FileChooserMode::Open;
    return request;
}

}  // namespace

FileChooserRequest MotionFileChooserRequest(FileChooserMode mode, OwnerWindow owner) {
    FileChooserRequest request = RequestFor(mode, owner);
    request.filters = {{".Morvelファイル (.mvl)", "*.mvl"}};
    request.title = mode == FileChooserMode::Open ? "Morvelファイル読込" : "Morvelファイル保存";
    return request;
}

FileChooserRequest MotionExportChooserRequest(FileChooserMode mode, OwnerWindow owner) {
    FileChooserRequest request = RequestFor(mode, owner);
    request.filters = {{".Morvelエクスポートファイル(.mvx)", "*.mvx"}};
    request.title = mode == FileChooserMode::Open ? "Morvelエクスポートファイル読込"
                                                  : "Morvelエクスポートファイル保存";
    return request;
}

bool ChooseFile(FileChooser &chooser, int mode, OwnerWindow owner,
                const std::vector<FileFilter> &filters, const std::string &title,
                std::string &out) {
    if (mode != 0 && mode != 1) return false;
    FileChooserRequest request =
        RequestFor(mode == 0 ? FileChooserMode::Open : FileChooserMode::Save, owner);
    request.filters = filters;
    request.title = title;
    PathBuffer path{};
    if (!chooser.ChooseFile(request, path)) return false;
    out = base::BufferText(path.data(), path.size());
    return true;
}

}  // namespace morvel::document
