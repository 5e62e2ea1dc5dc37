// The one translation unit that compiles stb_image: only the formats we use,
// no stdio (files are read by the texture loader), and stb's own dimension
// bound on top of the size checks of the decoder. The same settings reach
// stb_decoder.cpp through stb_image_settings.h.
#include "render/image/stb_image_settings.h"
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>
