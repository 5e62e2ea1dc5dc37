#include "test_documents.h"

#include <cstring>

#include "formats/motion/record_codec.h"

namespace morvel::document::testing {

PositionEntry MakePosition(int16_t partNumber, double seed) {
    PositionEntry p{};
    p.partNumber = partNumber;
    p.ambient = {seed + 0.1, seed + 0.2, seed + 0.3, seed + 0.4};
    p.diffuse = {seed + 0.5, seed + 0.6, seed + 0.7, seed + 0.8};
    p.scale = {seed + 1.0, seed + 2.0, seed + 3.0};
    p.translation = {seed + 10.0, seed + 20.0, seed + 30.0};
    // Seeds beyond the 16-bit range (large test documents) wrap around.
    const auto whole = static_cast<int16_t>(static_cast<long long>(seed) % 30000);
    p.rotation = {whole, static_cast<int16_t>(whole + 1), static_cast<int16_t>(whole + 2)};
    return p;
}

DocumentContents TenMegabyteDocument(const std::vector<std::string> &twoParts, double seed) {
    DocumentContents contents{twoParts, {}};
    for (int m = 0; m < 100; ++m) {
        MotionContents motion{"m" + std::to_string(m), "", {}};
        for (int f = 0; f < 40; ++f) {
            FrameContents frame{"f", {}};
            for (int p = 0; p < 20; ++p) {
                frame.positions.push_back(MakePosition(static_cast<int16_t>(p % 2), seed + m + f + p));
            }
            motion.frames.push_back(std::move(frame));
        }
        contents.motions.push_back(std::move(motion));
    }
    return contents;
}

OwnedDocument::OwnedDocument() {
    Mvl_Func_ObjectInit(&document_);
    document_.parts = nullptr;
    document_.motions = nullptr;
}

OwnedDocument::OwnedDocument(const DocumentContents &contents) : OwnedDocument() { Fill(document_, contents); }

OwnedDocument::~OwnedDocument() { Mvl_Func_Delete(&document_); }

void Fill(MotionDocument &document, const DocumentContents &contents) {
    std::vector<PartEntry> parts(contents.parts.size());
    for (size_t p = 0; p < parts.size(); ++p) {
        std::strncpy(parts[p].fileName, contents.parts[p].c_str(), sizeof parts[p].fileName - 1);
    }
    std::vector<MotionEntry> motions(contents.motions.size());
    std::vector<std::vector<FrameEntry>> frames(contents.motions.size());
    for (size_t m = 0; m < motions.size(); ++m) {
        const MotionContents &ms = contents.motions[m];
        MotionEntry &motion = motions[m];
        std::strncpy(motion.name, ms.name.c_str(), sizeof motion.name - 1);
        std::strncpy(motion.soundFileName, ms.soundFileName.c_str(),
                     sizeof motion.soundFileName - 1);
        frames[m].resize(ms.frames.size());
        for (size_t f = 0; f < ms.frames.size(); ++f) {
            FrameEntry &frame = frames[m][f];
            std::strncpy(frame.comment, ms.frames[f].comment.c_str(), sizeof frame.comment - 1);
            frame.positionCount = static_cast<uint16_t>(ms.frames[f].positions.size());
            frame.positions = const_cast<PositionEntry *>(ms.frames[f].positions.data());
        }
        motion.frameCount = static_cast<uint16_t>(ms.frames.size());
        motion.frames = frames[m].data();
    }
    MotionDocument source = document;
    source.header.partCount = static_cast<uint16_t>(parts.size());
    source.header.motionCount = static_cast<uint16_t>(motions.size());
    source.parts = parts.data();
    source.motions = motions.data();
    Mvl_Func_Copy(&document, &source);
}

DocumentContents Describe(const MotionDocument &document) {
    DocumentContents contents;
    for (uint16_t p = 0; p < document.header.partCount; ++p) {
        contents.parts.emplace_back(document.parts[p].fileName);
    }
    for (uint16_t m = 0; m < document.header.motionCount; ++m) {
        const MotionEntry &motion = document.motions[m];
        MotionContents ms{std::string(motion.name, strnlen(motion.name, 16)),
                      std::string(motion.soundFileName, strnlen(motion.soundFileName, 64)),
                      {}};
        for (uint16_t f = 0; f < motion.frameCount; ++f) {
            const FrameEntry &frame = motion.frames[f];
            FrameContents fs{std::string(frame.comment, strnlen(frame.comment, 16)), {}};
            fs.positions.assign(frame.positions, frame.positions + frame.positionCount);
            ms.frames.push_back(fs);
        }
        contents.motions.push_back(ms);
    }
    return contents;
}

std::vector<uint8_t> EncodedBytes(const MotionDocument &document) {
    std::vector<uint8_t> bytes;
    auto append = [&bytes](const morvel::formats::motion::RecordBytes *record, size_t size) {
        bytes.insert(bytes.end(), record, record + size);
    };
    morvel::formats::motion::RecordBytes header[MVL_HEADER_SIZE];
    morvel::formats::motion::EncodeHeader(document.header, header);
    append(header, sizeof header);
    for (uint16_t p = 0; p < document.header.partCount; ++p) {
        morvel::formats::motion::RecordBytes part[MVL_PART_RECORD_SIZE];
        morvel::formats::motion::EncodePart(document.parts[p], part);
        append(part, sizeof part);
    }
    for (uint16_t m = 0; m < document.header.motionCount; ++m) {
        morvel::formats::motion::RecordBytes motion[MVL_MOTION_RECORD_SIZE];
        morvel::formats::motion::EncodeMotion(document.motions[m], motion);
        append(motion, sizeof motion);
    }
    for (uint16_t m = 0; m < document.header.motionCount; ++m) {
        const MotionEntry &motion = document.motions[m];
        for (uint16_t f = 0; f < motion.frameCount; ++f) {
            morvel::formats::motion::RecordBytes frame[MVL_FRAME_RECORD_SIZE];
            morvel::formats::motion::EncodeFrame(motion.frames[f], frame);
            append(frame, sizeof frame);
        }
    }
    for (uint16_t m = 0; m < document.header.motionCount; ++m) {
        const MotionEntry &motion = document.motions[m];
        for (uint16_t f = 0; f < motion.frameCount; ++f) {
            for (uint16_t p = 0; p < motion.frames[f].positionCount; ++p) {
                morvel::formats::motion::RecordBytes position[MVL_POSITION_RECORD_SIZE];
                morvel::formats::motion::EncodePosition(motion.frames[f].positions[p], position);
                append(position, sizeof position);
            }
        }
    }
    return bytes;
}

std::vector<std::vector<std::vector<int>>> PartNumbers(const MotionDocument &document) {
    std::vector<std::vector<std::vector<int>>> result;
    for (uint16_t m = 0; m < document.header.motionCount; ++m) {
        const MotionEntry &motion = document.motions[m];
        result.emplace_back();
        for (uint16_t f = 0; f < motion.frameCount; ++f) {
            result.back().emplace_back();
            for (uint16_t p = 0; p < motion.frames[f].positionCount; ++p) {
                result.back().back().push_back(motion.frames[f].positions[p].partNumber);
            }
        }
    }
    return result;
}

bool operator==(const PositionEntry &a, const PositionEntry &b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace morvel::document::testing
