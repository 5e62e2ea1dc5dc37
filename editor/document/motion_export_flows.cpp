#include "document/motion_export_flows.h"

#include <string>

#include "base/field_text.h"
#include "document/file_choosers.h"
#include "document/motion_export.h"
#include "document/path_rules.h"

namespace morvel::document {
namespace {

const char *ReadFailureText(int code) {
    switch (code) {
        case kExportBadFileCode: return "ファイルコードに誤りがあります。";
        case kExportBadVersion: return "バージョンコードに誤りがあります。";
        case kExportBadFileType: return "ファイルタイプに誤りがあります。";
        default: return "ファイルの読込に失敗しました。";
    }
}

void Warn(MessageBoxPort &messages, OwnerWindow owner, const std::string &text) {
    messages.ShowMessage({owner, text, "インポート", MessageIcon::Warning, MessageButtons::Ok});
}

}  // namespace

bool ExportMotion(OwnerWindow owner, const MotionDocument &document, int32_t k,
                  FileChooser &chooser, MessageBoxPort &messages) {
    PathBuffer chosen{};
    if (!chooser.ChooseFile(MotionExportChooserRequest(FileChooserMode::Save, owner), chosen)) {
        return false;
    }
    const std::string path =
        WithExportFileExtension(base::BufferText(chosen.data(), chosen.size()));
    // A path that no longer fits the editor's buffers is refused like a failed write.
    if (path.size() >= kPathBufferSize || !WriteMotionExport(document, path, k)) {
        messages.ShowMessage({nullptr, "エクスポートファイル書込に失敗しました。", "エクスポート",
                              MessageIcon::None, MessageButtons::Ok});
        return false;
    }
    return true;
}

bool ImportMotion(OwnerWindow owner, MotionDocument &document, FileChooser &chooser,
                  MessageBoxPort &messages) {
    PathBuffer chosen{};
    if (!chooser.ChooseFile(MotionExportChooserRequest(FileChooserMode::Open, owner), chosen)) {
        return false;
    }
    const int result = ReadMotionExport(document, base::BufferText(chosen.data(), chosen.size()));
    if (result < 0) {
        Warn(messages, owner, ReadFailureText(result));
        return false;
    }
    if (result > 0) {
        Warn(messages, owner,
             "パーツNo.範囲外のデータが " + std::to_string(result) +
                 " 件ありました。これらは削除されています。");
    }
    return true;
}

}  // namespace morvel::document
