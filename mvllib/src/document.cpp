#include <cstdlib>
#include <cstring>

#include "document_tables.h"
#include "mvllib/mvllib.h"

extern "C" MVL_API void MVL_CALL Mvl_Func_ObjectInit(MotionDocument *document) {
    MotionFileHeader &h = document->header;
    std::memset(&h, 0, sizeof h);
    std::memcpy(h.magic, "MVL1", 4);
    std::memcpy(h.version, "1.00", 4);
    h.backgroundColour.a = 255;
    h.axisVisible = 1;
    h.axisColour = MvlRgba8{200, 200, 200, 255};
    h.statusTextVisible = 1;
    h.statusTextColour = MvlRgba8{200, 200, 200, 255};
    h.cameraDistance = 300;
    h.cullingMode = 2;
    h.initialScale = MvlVector3F64{100.0, 100.0, 100.0};
    h.axisDirection = 7;
}

extern "C" MVL_API int MVL_CALL Mvl_Func_Delete(MotionDocument *document) {
    mvl::ReleaseTables(mvl::TablesOf(*document));
    document->parts = nullptr;
    document->motions = nullptr;
    Mvl_Func_ObjectInit(document);
    return 1;
}

extern "C" MVL_API int MVL_CALL Mvl_Func_Copy(MotionDocument *destination,
                                              const MotionDocument *source) {
    if (destination == source) return 1;
    // Build the copy first so that running out of memory leaves the destination as it was.
    mvl::DocumentTables copy;
    if (!mvl::CopyTables(*source, copy)) return 0;
    Mvl_Func_Delete(destination);
    destination->header = source->header;
    destination->parts = copy.parts;
    destination->motions = copy.motions;
    return 1;
}

extern "C" MVL_API void MVL_CALL Mvl_Func_Ram_Release(void *block) { std::free(block); }

extern "C" MVL_API char *MVL_CALL Mvl_Func_GetVersion(char *buffer) {
    std::memcpy(buffer, "1.00", 5);
    return buffer;
}
