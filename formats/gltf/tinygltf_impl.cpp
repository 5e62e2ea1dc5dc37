// The one translation unit that compiles tinygltf (Debian ships it as a
// header plus a shared library for the host only).
#define TINYGLTF_IMPLEMENTATION
#include <tiny_gltf.h>
