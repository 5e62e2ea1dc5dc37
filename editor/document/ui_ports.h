// The two platform seams the document flows talk through: the common file
// choosers and message boxes. The main window's Shell and the dialogs'
// DialogView provide them on Win32; tests use the fakes in fakes/.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace morvel::document {

// A window handle the platform understands (an HWND on Win32); nullptr for
// "no owner". Portable code only passes it along.
using OwnerWindow = void *;

// The editor's 1024-byte path buffers: at most 1023 bytes and a NUL.
constexpr size_t kPathBufferSize = 1024;
using PathBuffer = std::array<char, kPathBufferSize>;

enum class FileChooserMode { Open = 0, Save = 1 };

struct FileFilter {
    std::string description;  // shown in the chooser's type list
    std::string pattern;      // e.g. "*.mvl"
};

// Everything a GetOpenFileNameA / GetSaveFileNameA call is given. There is
// never an initial folder or a default extension.
struct FileChooserRequest {
    FileChooserMode mode = FileChooserMode::Open;
    OwnerWindow owner = nullptr;
    std::vector<FileFilter> filters;
    std::string title;
    bool pathMustExist = true;
    bool fileMustExist = true;
};

class FileChooser {
public:
    virtual ~FileChooser() = default;
    // Shows the chooser over path, which starts empty; true on OK with the
    // chosen path in it, false on cancel.
    virtual bool ChooseFile(const FileChooserRequest &request, PathBuffer &path) = 0;
};

enum class MessageIcon { None, Warning, Error, Information };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No, Cancel };

struct MessageRequest {
    OwnerWindow owner = nullptr;
    std::string text;     // code page 932
    std::string caption;  // code page 932
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

class MessageBoxPort {
public:
    virtual ~MessageBoxPort() = default;
    virtual MessageAnswer ShowMessage(const MessageRequest &request) = 0;
};

}  // namespace morvel::document
