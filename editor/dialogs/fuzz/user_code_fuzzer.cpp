// Arbitrary text typed into the user-code prompt, then the protected file
// opened with what the prompt kept: the buffer always ends inside its 1024
// bytes, never cuts a double-byte character, and the file opens exactly
// when the kept text is its code.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/cp932_text.h"
#include "base/field_text.h"
#include "dialogs/user_code_prompt.h"
#include "document/editor_document.h"
#include "formats/motion/motion_file_writer.h"

namespace {

using namespace morvel;

constexpr char kCode[] = "秘密code";

// The prompt's dialog: one edit holding the typed text.
class TypedText : public app::DialogView {
public:
    explicit TypedText(std::string text) : text_(std::move(text)) {}
    document::OwnerWindow Window() override { return nullptr; }
    std::string GetText(int) override { return text_; }
    void SetText(int, const std::string &) override {}
    int GetInt(int) override { return 0; }
    bool IsChecked(int) override { return false; }
    void SetChecked(int, bool) override {}
    void Enable(int, bool) override {}
    void ListClear(int) override {}
    void ListAdd(int, const std::string &) override {}
    void ListSelect(int, int) override {}
    int ListSelection(int) override { return app::kNoSelection; }
    void SetSpinRange(int, int, int) override {}
    void EndDialog(int) override {}
    document::MessageAnswer ShowMessage(const document::MessageRequest &) override {
        return document::MessageAnswer::Ok;
    }
    bool ChooseFile(const document::FileChooserRequest &, document::PathBuffer &) override { return false; }

private:
    std::string text_;
};

class NoMeshes : public document::PartMeshLoader {
public:
    std::unique_ptr<document::PartMeshResource> LoadPartMesh(const std::string &) override { return nullptr; }
    void SetMeshLoadMessage(const std::string &) override {}
};

// A protected motion file written once, in memory-backed storage when there is some.
const std::string &ProtectedFile() {
    static const std::string path = [] {
        const char *folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        std::string p = std::string(folder) + "/morvel-user-code-fuzz-" + std::to_string(getpid()) + ".mvl";
        MotionDocument doc{};
        Mvl_Func_ObjectInit(&doc);
        doc.parts = nullptr;
        doc.motions = nullptr;
        morvel::base::StoreFieldText(doc.header.userCode, sizeof doc.header.userCode, kCode);
        if (!morvel::formats::motion::WriteMotionFile(doc, p)) std::abort();
        std::atexit([] { unlink(ProtectedFile().c_str()); });
        return p;
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    // An edit control's text ends at its first NUL.
    const std::string raw(reinterpret_cast<const char *>(data), size);
    const std::string typed = raw.substr(0, raw.find('\0'));
    app::UserCodeBuffer buffer;
    buffer.fill('\x7F');
    dialogs::UserCodePrompt prompt(buffer);
    TypedText view(typed);
    prompt.OnInit(view);
    prompt.OnCommand(view, app::kDialogOk, app::kNotifyClicked);

    const void *end = std::memchr(buffer.data(), '\0', buffer.size());
    if (end == nullptr) std::abort();  // the code must end inside the buffer
    const std::string kept(buffer.data());
    if (kept.size() > dialogs::kUserCodeMaxBytes || typed.compare(0, kept.size(), kept) != 0)
        std::abort();
    // The cut falls between two characters of what was typed.
    if (morvel::base::Cp932PrefixLength(typed, kept.size()) != kept.size()) std::abort();

    document::EditorDocument doc;
    document::InitDocument(doc);
    NoMeshes meshes;
    const int result = document::LoadDocument(doc, ProtectedFile(), kept, meshes);
    const bool matches = kept == kCode;
    if ((result == 0) != matches || (result != 0 && result != MVL_LOAD_BAD_USER_CODE)) std::abort();
    document::ReleaseDocument(doc);
    return 0;
}
