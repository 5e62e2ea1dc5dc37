#include "dialogs/version_dialog.h"

#include <cstdio>
#include <cstring>

#include "app/file_commands.h"
#include "dialogs/scrambled_text.h"
#include "mvllib/mvllib.h"

namespace morvel::dialogs {

namespace {

constexpr ScrambledText kFixedText(
    "Morvelは、Direct3D 8を使うアプリケーションのためのモーションデータを作るエディターです。\r\n"
    "DirectXのXファイルで作ったパーツを組み合わせてフィギュアを作り、モーション・フレーム・"
    "ポジションを編集して、モーションファイル（.mvl）に保存します。\r\n"
    "使い方は、プログラムと同じフォルダにあるヘルプファイルmvl.hlpをご覧ください"
    "（メニューの「ヘルプ」→「目次」）。");

// The library writes its version and a NUL; room to spare in case another
// build of it writes more.
constexpr size_t kLibraryVersionBuffer = 64;

template <typename... Values>
std::string Format(const char *format, Values... values) {
    const int length = std::snprintf(nullptr, 0, format, values...);
    if (length <= 0) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, values...);
    text.resize(static_cast<size_t>(length));
    return text;
}

}  // namespace

std::vector<std::string> SystemInformationLines(const SystemInformation &info) {
    return {
        "システム情報----",
        Format("　　Morvelバージョン(Morvl.EXE)：Ver %s", info.programVersion.c_str()),
        Format("　　Mvlライブラリ(MvlLib.DLL)：Ver %s", info.libraryVersion.c_str()),
        Format("　　DirectX(本ソフト認識)：Ver %d.%d", DirectXMajor(info.directXVersion),
               DirectXMinor(info.directXVersion)),
        Format("　　Direct3D-mode：%s %d×%d", info.deviceTypeText.c_str(),
               static_cast<int>(info.viewRight), static_cast<int>(info.viewBottom)),
    };
}

std::string ProductLine() {
    return Format("%s Version %s", app::kProductName, app::kProgramVersion);
}

std::string LibraryVersion() {
    char buffer[kLibraryVersionBuffer] = {};
    Mvl_Func_GetVersion(buffer);
    return std::string(buffer, strnlen(buffer, sizeof buffer - 1));
}

std::string VersionNotice() {
    return "DirectX用モーション作成　ヘルプ：mvl.hlp";
}

std::string VersionFixedText() {
    return kFixedText.Text();
}

void VersionDialog::OnInit(app::DialogView &view) {
    view.SetText(kVersionProduct, ProductLine());
    view.SetText(kVersionNotice, VersionNotice());
    view.SetText(kVersionText, VersionFixedText());

    SystemInformation info;
    info.programVersion = app::kProgramVersion;
    info.libraryVersion = LibraryVersion();
    info.directXVersion = directX_ != nullptr ? DetectDirectXVersion(*directX_) : 0;
    info.deviceTypeText = state_.deviceTypeText;
    info.viewRight = state_.viewRect.right;
    info.viewBottom = state_.viewRect.bottom;
    view.ListFill(kVersionSystemList, SystemInformationLines(info));
}

void VersionDialog::OnCommand(app::DialogView &view, int id, int) {
    if (id == kVersionClose) view.EndDialog(0);
}

std::unique_ptr<app::DialogController> MakeVersionDialog(app::Editor &editor,
                                                         DirectXComponents *directX) {
    return std::make_unique<VersionDialog>(editor.state, directX);
}

}  // namespace morvel::dialogs
