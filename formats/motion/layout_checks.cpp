// The header, part and position records lie in memory exactly as in a file on
// every target; motion and frame records do so on 32-bit targets only.
#include <cstddef>

#include "mvllib/mvllib.h"

#define MVL_CHECK_OFFSET(type, field, offset) \
    static_assert(offsetof(type, field) == (offset), #type "." #field " offset")

static_assert(sizeof(MotionFileHeader) == MVL_HEADER_SIZE, "header size");
MVL_CHECK_OFFSET(MotionFileHeader, magic, 0);
MVL_CHECK_OFFSET(MotionFileHeader, version, 4);
MVL_CHECK_OFFSET(MotionFileHeader, userCode, 8);
MVL_CHECK_OFFSET(MotionFileHeader, partCount, 26);
MVL_CHECK_OFFSET(MotionFileHeader, motionCount, 28);
MVL_CHECK_OFFSET(MotionFileHeader, reserved32, 32);
MVL_CHECK_OFFSET(MotionFileHeader, backgroundColour, 36);
MVL_CHECK_OFFSET(MotionFileHeader, axisVisible, 40);
MVL_CHECK_OFFSET(MotionFileHeader, axisColour, 41);
MVL_CHECK_OFFSET(MotionFileHeader, statusTextVisible, 45);
MVL_CHECK_OFFSET(MotionFileHeader, statusTextColour, 46);
MVL_CHECK_OFFSET(MotionFileHeader, cameraElevation, 52);
MVL_CHECK_OFFSET(MotionFileHeader, cameraAzimuth, 54);
MVL_CHECK_OFFSET(MotionFileHeader, reserved56, 56);
MVL_CHECK_OFFSET(MotionFileHeader, cameraDistance, 60);
MVL_CHECK_OFFSET(MotionFileHeader, reserved64, 64);
MVL_CHECK_OFFSET(MotionFileHeader, cullingMode, 88);
MVL_CHECK_OFFSET(MotionFileHeader, initialScale, 96);
MVL_CHECK_OFFSET(MotionFileHeader, rightHanded, 120);
MVL_CHECK_OFFSET(MotionFileHeader, axisDirection, 121);
MVL_CHECK_OFFSET(MotionFileHeader, initialAmbient, 128);
MVL_CHECK_OFFSET(MotionFileHeader, initialDiffuse, 160);

static_assert(sizeof(PartEntry) == MVL_PART_RECORD_SIZE, "part size");
MVL_CHECK_OFFSET(PartEntry, fileName, 0);
MVL_CHECK_OFFSET(PartEntry, reserved64, 64);

static_assert(sizeof(PositionEntry) == MVL_POSITION_RECORD_SIZE, "position size");
MVL_CHECK_OFFSET(PositionEntry, partNumber, 0);
MVL_CHECK_OFFSET(PositionEntry, ambient, 8);
MVL_CHECK_OFFSET(PositionEntry, diffuse, 40);
MVL_CHECK_OFFSET(PositionEntry, scale, 72);
MVL_CHECK_OFFSET(PositionEntry, translation, 96);
MVL_CHECK_OFFSET(PositionEntry, rotation, 120);

MVL_CHECK_OFFSET(MotionEntry, frameCount, 0);
MVL_CHECK_OFFSET(MotionEntry, name, 2);
MVL_CHECK_OFFSET(MotionEntry, soundFileName, 20);
MVL_CHECK_OFFSET(FrameEntry, positionCount, 0);
MVL_CHECK_OFFSET(FrameEntry, comment, 2);

#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(MotionEntry) == MVL_MOTION_RECORD_SIZE, "motion size");
MVL_CHECK_OFFSET(MotionEntry, frames, 84);
static_assert(sizeof(FrameEntry) == MVL_FRAME_RECORD_SIZE, "frame size");
MVL_CHECK_OFFSET(FrameEntry, positions, 20);
#endif
