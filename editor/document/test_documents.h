// Documents, positions and temporary folders for the document tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "mvllib/mvllib.h"

namespace morvel::document::testing {

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

// A fresh folder under the system's temporary folder, removed with its contents.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;
    std::string Path(const std::string &name) const;
    const std::filesystem::path &Root() const { return root_; }

private:
    std::filesystem::path root_;
};

std::vector<uint8_t> ReadBytes(const std::string &path);
void WriteBytes(const std::string &path, const std::vector<uint8_t> &bytes);

bool operator==(const PositionEntry &a, const PositionEntry &b);

}  // namespace morvel::document::testing
