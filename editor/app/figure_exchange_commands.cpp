#include "app/figure_exchange_commands.h"

#include <string>
#include <vector>

#include "app/file_commands.h"
#include "app/recent_files.h"
#include "base/cp932_text.h"
#include "base/field_text.h"
#include "base/file_access.h"
#include "base/windows_path.h"
#include "convert/figure_export.h"
#include "convert/figure_folder.h"
#include "convert/figure_import.h"
#include "document/editor_document.h"

namespace morvel::app {
namespace {

using document::MessageAnswer;
using document::MessageButtons;
using document::MessageIcon;

constexpr const char *kImportCaption = "glTF / OBJ から作成";
constexpr const char *kExportCaption = "glTF に書き出し";
// Beyond this many, the rest of a report's warnings are only counted.
constexpr size_t kWarningsShown = 12;

MessageAnswer Show(Editor &editor, const std::string &text, const char *caption, MessageIcon icon,
                   MessageButtons buttons = MessageButtons::Ok) {
    return editor.shell.ShowMessage({editor.shell.MainWindow(), text, caption, icon, buttons});
}

std::string WithSeparator(const std::string &folder) {
    if (folder.empty()) return folder;
    const size_t last = base::Cp932FindLastOf(folder, "\\/");
    if (last != std::string::npos && last + 1 == folder.size()) return folder;
    return folder + "\\";
}

// The input's name without its extension: the figure folder's name.
std::string StemOf(const std::string &path) {
    std::string stem = path.substr(base::FileNameStart(path));
    const size_t dot = stem.rfind('.');
    if (dot != std::string::npos && dot > 0) stem.resize(dot);
    return stem;
}

// The converter's one line under a headline of ours.
std::string Failure(const char *headline, const std::string &detail) {
    return std::string(headline) + "\n\n" + detail;
}

std::string WarningList(const std::vector<std::string> &warnings) {
    std::string list;
    for (size_t i = 0; i < warnings.size() && i < kWarningsShown; ++i) list += "\n・" + warnings[i];
    if (warnings.size() > kWarningsShown) {
        list += "\n・ほか " + std::to_string(warnings.size() - kWarningsShown) + " 件";
    }
    return list;
}

bool ChooseInput(Editor &editor, std::string &input) {
    document::FileChooserRequest request;
    request.owner = editor.shell.MainWindow();
    request.filters = {{"glTF / OBJ (*.gltf;*.glb;*.obj)", "*.gltf;*.glb;*.obj"}};
    request.title = kImportCaption;
    document::PathBuffer chosen{};
    if (!editor.shell.ChooseFile(request, chosen)) return false;
    input = base::BufferText(chosen.data(), chosen.size());
    return true;
}

convert::ImportReport Import(Editor &editor, const std::string &input, const std::string &folder) {
    const std::string hostInput = base::HostPath(input), hostFolder = base::HostPath(folder);
    if (base::HasExtension(input, ".obj")) {
        convert::ObjImportOptions options;
        options.replace = true;
        return convert::ImportObj(hostInput, hostFolder, options);
    }
    convert::GltfImportOptions options;
    options.framesPerSecond = editor.state.playbackSettings.framesPerSecond;
    options.replace = true;
    return convert::ImportGltf(hostInput, hostFolder, options);
}

}  // namespace

void ImportFigureCommand(Editor &editor) {
    if (editor.state.filePath[0] != '\0' &&
        Show(editor, kDiscardQuestion, kImportCaption, MessageIcon::Warning, MessageButtons::YesNo) !=
            MessageAnswer::Yes) {
        return;
    }
    std::string input;
    if (!ChooseInput(editor, input)) return;
    std::string parent = FolderOfPath(input);
    if (!editor.shell.ChooseFolder("作成するフォルダを置く場所を選んでください。", parent)) return;
    const std::string folder = WithSeparator(parent) + StemOf(input);
    if (convert::FigureFolderExists(base::HostPath(folder)) &&
        Show(editor, "フォルダ " + folder + " は既にあります。置き換えますか？", kImportCaption,
             MessageIcon::Warning, MessageButtons::YesNo) != MessageAnswer::Yes) {
        return;
    }
    const convert::ImportReport report = Import(editor, input, folder);
    if (!report.ok) {
        Show(editor, Failure("作成できませんでした。", report.error), kImportCaption, MessageIcon::Warning);
        return;
    }
    if (!report.warnings.empty()) {
        Show(editor, "作成しましたが、次の点はもとのファイルと異なります。" + WarningList(report.warnings),
             kImportCaption, MessageIcon::Information);
    }
    const std::string motionFile = report.motionFile.substr(base::FileNameStart(report.motionFile));
    OpenGivenFile(editor, folder + "\\" + motionFile, false);
}

void ExportGltfCommand(Editor &editor) {
    document::FileChooserRequest request;
    request.mode = document::FileChooserMode::Save;
    request.owner = editor.shell.MainWindow();
    request.filters = {{"glTF (*.gltf)", "*.gltf"}, {"glTF バイナリ (*.glb)", "*.glb"}};
    request.title = kExportCaption;
    request.fileMustExist = false;
    document::PathBuffer chosen{};
    if (!editor.shell.ChooseFile(request, chosen)) return;
    std::string output = base::BufferText(chosen.data(), chosen.size());
    if (!base::HasExtension(output, ".gltf") && !base::HasExtension(output, ".glb")) output += ".gltf";
    if (base::FileExists(output) &&
        Show(editor, output + " は既にあります。上書きしますか？", kExportCaption, MessageIcon::Warning,
             MessageButtons::YesNo) != MessageAnswer::Yes) {
        return;
    }
    // Parts load from the motion file's folder; a document never saved has
    // them from the current folder.
    const document::PathBuffer &filePath = editor.state.filePath;
    const std::string partFolder =
        document::StateOfFilePath(filePath) == document::FilePathState::HasFile
            ? FolderOfPath(base::BufferText(filePath.data(), filePath.size()))
            : WithSeparator(editor.shell.CurrentDirectory());
    convert::ExportOptions options;
    options.framesPerSecond = editor.state.playbackSettings.framesPerSecond;
    const convert::ExportReport report =
        convert::ExportGltf(editor.state.currentDocument.document,
                            base::HostPath(partFolder),
                            base::HostPath(output), options);
    if (!report.ok) {
        Show(editor, Failure("書き出せませんでした。", report.error), kExportCaption, MessageIcon::Warning);
    } else if (!report.warnings.empty()) {
        Show(editor, "書き出しましたが、次の点は文書と異なります。" + WarningList(report.warnings),
             kExportCaption, MessageIcon::Information);
    } else {
        Show(editor, "書き出しました。", kExportCaption, MessageIcon::Information);
    }
}

}  // namespace morvel::app
