// Arbitrary bytes as a motion export file read into a document with parts
// and motions: the reader must end in a count or a code, change the
// document only on success, and keep every part number in range.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "document/motion_export.h"
#include "document/table_ops.h"
#include "formats/motion/record_codec.h"
#include "mvllib/mvllib.h"

namespace {

std::vector<uint8_t> Encoded(const MotionDocument &d) {
    std::vector<uint8_t> bytes(MVL_HEADER_SIZE);
    morvel::formats::motion::EncodeHeader(d.header, bytes.data());
    for (uint16_t m = 0; m < d.header.motionCount; ++m) {
        morvel::formats::motion::RecordBytes record[MVL_MOTION_RECORD_SIZE];
        morvel::formats::motion::EncodeMotion(d.motions[m], record);
        bytes.insert(bytes.end(), record, record + sizeof record);
    }
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    // A memory-backed folder where there is one: the file is written anew
    // for every input.
    static const std::string path =
        std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + "/export_read_fuzzer_" +
        std::to_string(getpid()) + ".mvx";
    std::FILE *f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return 0;
    if (size > 0) std::fwrite(data, 1, size, f);
    std::fclose(f);

    MotionDocument document;
    Mvl_Func_ObjectInit(&document);
    document.parts = nullptr;
    document.motions = nullptr;
    morvel::document::InsertPart(document, "a.x");
    morvel::document::InsertPart(document, "b.x");
    morvel::document::InsertMotion(document, "own", "");
    const std::vector<uint8_t> before = Encoded(document);

    const int result = morvel::document::ReadMotionExport(document, path);
    if (result < morvel::document::kExportBadFileType) std::abort();
    if (result < 0 && Encoded(document) != before) std::abort();
    if (result >= 0) {
        if (document.header.motionCount != 2) std::abort();
        const MotionEntry &motion = document.motions[1];
        for (uint16_t fr = 0; fr < motion.frameCount; ++fr) {
            const FrameEntry &frame = motion.frames[fr];
            for (uint16_t p = 0; p < frame.positionCount; ++p) {
                const int16_t part = frame.positions[p].partNumber;
                if (part < 0 || part >= document.header.partCount) std::abort();
            }
        }
    }
    Mvl_Func_Delete(&document);
    return 0;
}
