/*
 * MvlLib: the motion document record, its defaults, deep copy and release,
 * the byte scramble and the motion-file loader.
 *
 * Plain C, usable from C and C++. The seven functions are exported by name,
 * undecorated, with the caller-cleans-the-stack (cdecl) convention.
 *
 * The header (192 bytes), PartEntry (66) and PositionEntry (128) have the
 * file layout in memory on every target. MotionEntry and FrameEntry hold a
 * pointer, so they match the file layout (88 and 24 bytes) only on 32-bit
 * targets; the loader and writers never depend on that, they encode every
 * record field by field.
 */
#ifndef MVLLIB_MVLLIB_H
#define MVLLIB_MVLLIB_H

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32)
#define MVL_CALL __cdecl
#if defined(MVLLIB_BUILDING)
#define MVL_API __declspec(dllexport)
#else
#define MVL_API __declspec(dllimport)
#endif
#else
#define MVL_CALL
#if defined(MVLLIB_BUILDING)
#define MVL_API __attribute__((visibility("default")))
#else
#define MVL_API
#endif
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Sizes of the records as they stand in a motion file. */
enum {
    MVL_HEADER_SIZE = 192,
    MVL_PART_RECORD_SIZE = 66,
    MVL_MOTION_RECORD_SIZE = 88,
    MVL_FRAME_RECORD_SIZE = 24,
    MVL_POSITION_RECORD_SIZE = 128
};

/* Status codes of Mvl_Func_Load. */
enum {
    MVL_LOAD_OK = 0,
    MVL_LOAD_UNREADABLE = -1,
    MVL_LOAD_BAD_MAGIC = -2,
    MVL_LOAD_BAD_USER_CODE = -3
};

/* Colour bytes of the header, in file order. */
typedef struct MvlRgba8 {
    uint8_t r, g, b, a;
} MvlRgba8;

/* Colour offsets of a position (and the header's initial values). */
typedef struct MvlRgbaF64 {
    double r, g, b, a;
} MvlRgbaF64;

typedef struct MvlVector3F64 {
    double x, y, z;
} MvlVector3F64;

typedef struct MvlVector3I16 {
    int16_t x, y, z;
} MvlVector3I16;

typedef struct MotionFileHeader {
    char magic[4];              /*   0 "MVL1", no terminator */
    char version[4];            /*   4 "1.00", no terminator */
    char userCode[18];          /*   8 NUL-terminated */
    uint16_t partCount;         /*  26 */
    uint16_t motionCount;       /*  28 */
    uint8_t padding30[2];       /*  30 */
    int32_t reserved32;         /*  32 no reader */
    MvlRgba8 backgroundColour;  /*  36 */
    int8_t axisVisible;         /*  40 */
    MvlRgba8 axisColour;        /*  41 */
    int8_t statusTextVisible;   /*  45 */
    MvlRgba8 statusTextColour;  /*  46 */
    uint8_t padding50[2];       /*  50 */
    int16_t cameraElevation;    /*  52 degrees */
    int16_t cameraAzimuth;      /*  54 degrees */
    int16_t reserved56;         /*  56 no reader */
    uint8_t padding58[2];       /*  58 */
    int32_t cameraDistance;     /*  60 */
    double reserved64[3];       /*  64 no reader */
    int8_t cullingMode;         /*  88 0 none, 1 clockwise, 2 counter-clockwise */
    uint8_t padding89[7];       /*  89 */
    MvlVector3F64 initialScale; /*  96 */
    int8_t rightHanded;         /* 120 */
    int8_t axisDirection;       /* 121 bit 0 X, bit 1 Y, bit 2 Z */
    uint8_t padding122[6];      /* 122 */
    MvlRgbaF64 initialAmbient;  /* 128 */
    MvlRgbaF64 initialDiffuse;  /* 160 */
} MotionFileHeader;

typedef struct PartEntry {
    char fileName[64];   /*  0 X file of the part; also its display name */
    uint16_t reserved64; /* 64 */
} PartEntry;

typedef struct PositionEntry {
    int16_t partNumber;        /*   0 index into parts, compared signed */
    uint8_t padding2[6];       /*   2 */
    MvlRgbaF64 ambient;        /*   8 */
    MvlRgbaF64 diffuse;        /*  40 */
    MvlVector3F64 scale;       /*  72 */
    MvlVector3F64 translation; /*  96 */
    MvlVector3I16 rotation;    /* 120 degrees */
    uint8_t padding126[2];     /* 126 */
} PositionEntry;

typedef struct FrameEntry {
    uint16_t positionCount;   /*  0 */
    char comment[16];         /*  2 */
    uint8_t padding18[2];     /* 18 */
    PositionEntry *positions; /* 20 on 32-bit targets; meaningless in a file */
} FrameEntry;

typedef struct MotionEntry {
    uint16_t frameCount;    /*  0 */
    char name[16];          /*  2 */
    uint8_t padding18[2];   /* 18 */
    char soundFileName[64]; /* 20 */
    FrameEntry *frames;     /* 84 on 32-bit targets; meaningless in a file */
} MotionEntry;

typedef struct MotionDocument {
    MotionFileHeader header;
    PartEntry *parts;     /* partCount entries, library-owned */
    MotionEntry *motions; /* motionCount entries, library-owned */
} MotionDocument;

/* Writes the default header; leaves parts and motions untouched. */
MVL_API void MVL_CALL Mvl_Func_ObjectInit(MotionDocument *document);

/* Releases every table the document owns and re-initialises the header.
 * Always returns 1. */
MVL_API int MVL_CALL Mvl_Func_Delete(MotionDocument *document);

/* Deep copy of source into destination. Returns 1; returns 0 only when
 * memory runs out, and then the destination is left as it was. Copying a
 * document onto itself changes nothing and returns 1. */
MVL_API int MVL_CALL Mvl_Func_Copy(MotionDocument *destination, const MotionDocument *source);

/* Frees one block that the library allocated (NULL is allowed). */
MVL_API void MVL_CALL Mvl_Func_Ram_Release(void *block);

/* Writes "1.00" and a NUL into buffer (at least 5 bytes); returns buffer. */
MVL_API char *MVL_CALL Mvl_Func_GetVersion(char *buffer);

/* Loads a motion file into an initialised destination. Returns one of the
 * MVL_LOAD_* codes; on every non-zero result the destination is unchanged. */
MVL_API int MVL_CALL Mvl_Func_Load(MotionDocument *destination, const char *path,
                                   const char *userCode);

/* destination[i] = source[i] XOR key[0] for i in [0, length). The buffers
 * may be the same; a length of 0 or less writes nothing. */
MVL_API void MVL_CALL Mvl_Func_Shuffle(void *destination, const void *source, int length,
                                       const char *key);

#ifdef __cplusplus
}
#endif

#endif /* MVLLIB_MVLLIB_H */
