// Documents, positions and temporary folders for the document tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mvllib/mvllib.h"
#include "temp_folder.h"

namespace morvel::document::testing {

using morvel::testing::ReadBytes;
using morvel::testing::TempFolder;
using morvel::testing::WriteBytes;

// A position whose every value is derived from seed, so that two positions
// made from different seeds differ in every field.
PositionEntry MakePosition(int16_t partNumber, double seed);

struct FrameContents {
    std::string comment;
    std::vector<PositionEntry> positions;
};
struct MotionContents {
    std::string name;
    std::string soundFileName;
    std::vector<FrameContents> frames;
};
struct DocumentContents {
    std::vector<std::string> parts;
    std::vector<MotionContents> motions;
};

// 100 motions x 40 frames x 20 positions on two parts (80,000 positions,
// about 10 MB in a file), every value derived from seed.
DocumentContents TenMegabyteDocument(const std::vector<std::string> &twoParts, double seed = 0);

// An initialised document released on destruction.
class OwnedDocument {
public:
    OwnedDocument();
    explicit OwnedDocument(const DocumentContents &contents);
    ~OwnedDocument();
    OwnedDocument(const OwnedDocument &) = delete;
    OwnedDocument &operator=(const OwnedDocument &) = delete;
    MotionDocument &operator*() { return document_; }
    MotionDocument *operator->() { return &document_; }
    MotionDocument &Get() { return document_; }

private:
    MotionDocument document_{};
};

// Replaces document's tables by those of contents (through Mvl_Func_Copy, so the
// tables are the library's).
void Fill(MotionDocument &document, const DocumentContents &contents);

// The document's state in plain values, for comparisons and messages.
DocumentContents Describe(const MotionDocument &document);

// Every header and record byte as the motion-file encoding gives them.
std::vector<uint8_t> EncodedBytes(const MotionDocument &document);

// The part numbers of every frame, motion by motion: {{{0, 1}, {}}, ...}.
std::vector<std::vector<std::vector<int>>> PartNumbers(const MotionDocument &document);

bool operator==(const PositionEntry &a, const PositionEntry &b);

}  // namespace morvel::document::testing
