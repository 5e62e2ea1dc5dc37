#include "app/win32/system_functions.h"

namespace morvel::app::win32 {

FARPROC SystemFunction(const char *dll, const char *name) {
    HMODULE module = GetModuleHandleA(dll);
    if (module == nullptr) module = LoadLibraryA(dll);
    return module != nullptr ? GetProcAddress(module, name) : nullptr;
}

}  // namespace morvel::app::win32
