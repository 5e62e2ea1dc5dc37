/* A C program linked to MvlLib through its import library, as a game would be. */
#include <stdio.h>
#include <string.h>

#include "mvllib/mvllib.h"

int main(void) {
    MotionDocument document;
    char version[5];
    Mvl_Func_ObjectInit(&document);
    if (memcmp(document.header.magic, "MVL1", 4) != 0) return 1;
    if (strcmp(Mvl_Func_GetVersion(version), "1.00") != 0) return 2;
    if (Mvl_Func_Load(&document, "no such file.mvl", "") != MVL_LOAD_UNREADABLE) return 3;
    if (!Mvl_Func_Delete(&document)) return 4;
    puts("import client: ok");
    return 0;
}
