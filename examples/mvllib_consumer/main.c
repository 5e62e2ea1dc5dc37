/* A game's first use of MvlLib: open a motion file and print its parts and
   each motion's frame count. */
#include <stdio.h>

#include "mvllib/mvllib.h"

int main(int argc, char **argv) {
    MotionDocument motion;
    char version[8];
    unsigned short i;
    int result;

    if (argc < 2) {
        fprintf(stderr, "usage: mvllib_consumer FILE.mvl [USER_CODE]\n");
        return 2;
    }
    Mvl_Func_ObjectInit(&motion); /* once, before first use */
    result = Mvl_Func_Load(&motion, argv[1], argc > 2 ? argv[2] : "");
    if (result != MVL_LOAD_OK) {
        fprintf(stderr, "%s: not loaded (%d)\n", argv[1], result);
        return 1;
    }
    printf("MvlLib %s\n", Mvl_Func_GetVersion(version));
    printf("parts: %u\n", (unsigned)motion.header.partCount);
    for (i = 0; i < motion.header.partCount; ++i) {
        printf("  %u %.*s\n", (unsigned)i, (int)sizeof motion.parts[i].fileName,
               motion.parts[i].fileName);
    }
    printf("motions: %u\n", (unsigned)motion.header.motionCount);
    for (i = 0; i < motion.header.motionCount; ++i) {
        const MotionEntry *entry = &motion.motions[i];
        printf("  %u %.*s: %u frames\n", (unsigned)i, (int)sizeof entry->name, entry->name,
               (unsigned)entry->frameCount);
    }
    Mvl_Func_Delete(&motion); /* releases the tables, back to the defaults */
    return 0;
}
