// The one translation unit that compiles stb_image_write, which the tests
// use to encode PNG, TGA and JPEG files of their own (no stdio: into memory).
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>
