// The seven exports: the library's C face over the motion-file code.
#include <cstdlib>
#include <cstring>

#include "formats/motion/document_tables.h"
#include "formats/motion/motion_file_reader.h"
#include "formats/motion/scramble.h"
#include "morvel/version.h"
#include "mvllib/mvllib.h"

namespace motion = morvel::formats::motion;

extern "C" MVL_API void MVL_CALL Mvl_Func_ObjectInit(MotionDocument *document) {
    motion::InitDocument(*document);
}

extern "C" MVL_API int MVL_CALL Mvl_Func_Delete(MotionDocument *document) {
    motion::ReleaseDocument(*document);
    return 1;
}

extern "C" MVL_API int MVL_CALL Mvl_Func_Copy(MotionDocument *destination,
                                              const MotionDocument *source) {
    return motion::CopyDocument(*destination, *source) ? 1 : 0;
}

extern "C" MVL_API void MVL_CALL Mvl_Func_Ram_Release(void *block) {
    std::free(block);
}

extern "C" MVL_API int MVL_CALL Mvl_Func_Load(MotionDocument *destination, const char *path,
                                              const char *userCode) {
    return motion::LoadMotionFile(*destination, path, userCode);
}

extern "C" MVL_API void MVL_CALL Mvl_Func_Shuffle(void *destination, const void *source, int length,
                                                  const char *key) {
    motion::Scramble(destination, source, length, key);
}

extern "C" MVL_API char *MVL_CALL Mvl_Func_GetVersion(char *buffer) {
    static_assert(sizeof MVLLIB_VERSION == 5, "the export writes four characters and a NUL");
    std::memcpy(buffer, MVLLIB_VERSION, 5);
    return buffer;
}
