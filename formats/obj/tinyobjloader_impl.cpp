// The one translation unit that compiles tinyobjloader (Debian ships it as a
// header plus a shared library for the host only).
#define TINYOBJLOADER_IMPLEMENTATION
#include <tiny_obj_loader.h>
