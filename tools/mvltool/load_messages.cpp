#include "command.h"
#include "mvllib/mvllib.h"

namespace mvltool {

const char *LoadFailureText(int code) {
    switch (code) {
        case MVL_LOAD_UNREADABLE: return "cannot be read, or ends before a record is complete";
        case MVL_LOAD_BAD_MAGIC: return "not a motion file (wrong magic)";
        case MVL_LOAD_BAD_USER_CODE: return "wrong user code (give it with --code)";
        default: return "cannot be loaded";
    }
}

}  // namespace mvltool
