// Small documents for the renderer tests, in test memory (the renderer only
// reads the tables).
#pragma once

#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "mvllib/mvllib.h"
#include "render/scene_document.h"

namespace morvel::render::fakes {

inline void DefaultHeader(MotionFileHeader &header) {
    std::memset(&header, 0, sizeof header);
    std::memcpy(header.magic, "MVL1", 4);
    std::memcpy(header.version, "1.00", 4);
    header.backgroundColour = {0, 0, 0, 255};
    header.axisVisible = 1;
    header.axisColour = {200, 200, 200, 255};
    header.statusTextVisible = 1;
    header.statusTextColour = {200, 200, 200, 255};
    header.cameraDistance = 300;
    header.cullingMode = 2;
    header.initialScale = {100, 100, 100};
    header.axisDirection = 7;
}

inline void CopyField(char *field, size_t size, const std::string &text) {
    std::memcpy(field, text.data(), text.size() < size ? text.size() : size - 1);
}

inline PositionEntry UnitPosition(int16_t part) {
    PositionEntry position{};
    position.partNumber = part;
    position.scale = {1.0, 1.0, 1.0};
    return position;
}

class SceneBuilder {
public:
    SceneBuilder() { DefaultHeader(document.header); }

    SceneBuilder &Part(const std::string &fileName) {
        PartEntry part{};
        CopyField(part.fileName, sizeof part.fileName, fileName);
        parts_.push_back(part);
        return *this;
    }
    SceneBuilder &Motion(const std::string &name) {
        MotionEntry motion{};
        CopyField(motion.name, sizeof motion.name, name);
        motions_.push_back(motion);
        frames_.emplace_back();
        positions_.emplace_back();
        return *this;
    }
    SceneBuilder &Frame(const std::string &comment) {
        FrameEntry frame{};
        CopyField(frame.comment, sizeof frame.comment, comment);
        frames_.back().push_back(frame);
        positions_.back().emplace_back();
        return *this;
    }
    SceneBuilder &Position(const PositionEntry &position) {
        positions_.back().back().push_back(position);
        return *this;
    }

    // Hangs the tables into the document; call after the last addition.
    SceneDocument Build(int32_t motion = 0, int32_t frame = 0, int32_t position = 0) {
        for (size_t m = 0; m < motions_.size(); ++m) {
            motions_[m].frameCount = static_cast<uint16_t>(frames_[m].size());
            motions_[m].frames = frames_[m].empty() ? nullptr : frames_[m].data();
            for (size_t f = 0; f < frames_[m].size(); ++f) {
                frames_[m][f].positionCount = static_cast<uint16_t>(positions_[m][f].size());
                frames_[m][f].positions = positions_[m][f].empty() ? nullptr : positions_[m][f].data();
            }
        }
        document.header.partCount = static_cast<uint16_t>(parts_.size());
        document.header.motionCount = static_cast<uint16_t>(motions_.size());
        document.parts = parts_.empty() ? nullptr : parts_.data();
        document.motions = motions_.empty() ? nullptr : motions_.data();
        return SceneDocument{document, partMeshes, motion, frame, position};
    }

    MotionDocument document{};
    PartMeshTable partMeshes;

private:
    std::vector<PartEntry> parts_;
    std::vector<MotionEntry> motions_;
    std::deque<std::vector<FrameEntry>> frames_;
    std::deque<std::vector<std::vector<PositionEntry>>> positions_;
};

}  // namespace morvel::render::fakes
