// The one translation unit that compiles stb_image: only the formats we use,
// no stdio (files are read by the texture loader), and stb's own dimension
// bound on top of the size checks of the decoder. The same settings reach
// stb_decoder.cpp through stb_image_settings.h.
#include "formats/image/stb_image_settings.h"
// Zeroed allocations: a corrupt JPEG may use a Huffman table it never
// defined, and stb would otherwise decode with whatever an earlier image
// left in that memory (indices from it reach outside the table).
#include <stdlib.h>
#define STBI_MALLOC(size) calloc(1, size)
#define STBI_REALLOC(block, size) realloc(block, size)
#define STBI_FREE(block) free(block)
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>
