#include "mvllib/mvllib.h"

extern "C" MVL_API void MVL_CALL Mvl_Func_Shuffle(void *destination, const void *source,
                                                  int length, const char *key) {
    if (length <= 0) return;
    const unsigned char k = static_cast<unsigned char>(key[0]);
    const unsigned char *in = static_cast<const unsigned char *>(source);
    unsigned char *out = static_cast<unsigned char *>(destination);
    for (int i = 0; i < length; ++i) out[i] = static_cast<unsigned char>(in[i] ^ k);
}
