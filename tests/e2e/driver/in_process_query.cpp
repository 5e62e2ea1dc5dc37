#include "in_process_query.h"

#include "driver_command.h"

namespace morvel::e2e {
namespace {

constexpr DWORD kAnswerTimeoutMs = 5000;

std::string g_answer;
bool g_answered = false;
WPARAM g_question = 0;  // the query and its number, echoed in the answer's dwData

LRESULT CALLBACK ReceiverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) {
        const auto *data = reinterpret_cast<const COPYDATASTRUCT *>(lParam);
        if (data->dwData != g_question) return FALSE;  // a late answer to an earlier query
        g_answer.assign(static_cast<const char *>(data->lpData), data->cbData);
        g_answered = true;
        return TRUE;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND Receiver() {
    static HWND receiver = nullptr;
    if (receiver) return receiver;
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = ReceiverProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"MorvelDriverAnswer";
    RegisterClassW(&windowClass);
    receiver = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                               nullptr, windowClass.hInstance, nullptr);
    return receiver;
}

HMODULE HookModule() {
    static HMODULE module = nullptr;
    if (module) return module;
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dll(path, length);
    dll = dll.substr(0, dll.find_last_of(L"\\/") + 1) + kHookDllName;
    module = LoadLibraryW(dll.c_str());
    if (!module) throw CommandError("cannot load morvel_driver_hook.dll beside the driver");
    return module;
}

class Hook {
public:
    Hook(DWORD thread) {
        HMODULE module = HookModule();
        auto proc = reinterpret_cast<HOOKPROC>(
            reinterpret_cast<void *>(GetProcAddress(module, kHookProcName)));
        hook_ = proc ? SetWindowsHookExW(WH_GETMESSAGE, proc, module, thread) : nullptr;
        if (!hook_) {
            throw CommandError("cannot hook the program's thread, error " +
                               std::to_string(GetLastError()));
        }
    }
    ~Hook() { UnhookWindowsHookEx(hook_); }
    Hook(const Hook &) = delete;
    Hook &operator=(const Hook &) = delete;

private:
    HHOOK hook_;
};

}  // namespace

std::string AskInProcess(HWND window, InProcessQuery query) {
    HWND receiver = Receiver();
    const Hook hook(GetWindowThreadProcessId(window, nullptr));
    static WPARAM asked = 0;
    g_question = (++asked << 8) | static_cast<WPARAM>(query);
    g_answered = false;
    g_answer.clear();
    // Posted, not sent: the hook sees posted messages even while the program
    // sits in a modal loop.
    if (!PostMessageW(window, RegisterWindowMessageW(kQueryMessageName), g_question,
                      reinterpret_cast<LPARAM>(receiver))) {
        throw CommandError("cannot post to the window");
    }
    const DWORD start = GetTickCount();
    while (!g_answered) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= kAnswerTimeoutMs) throw CommandError("the program did not answer");
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kAnswerTimeoutMs - elapsed, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    return g_answer;
}

}  // namespace morvel::e2e
