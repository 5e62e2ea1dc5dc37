#include "render/status_texts.h"

#include <gtest/gtest.h>

#include "render/fakes/scene_builder.h"

namespace {

using namespace morvel::render;
using fakes::SceneBuilder;
using fakes::UnitPosition;

class RecordingStatusBar : public StatusBarSink {
public:
    void SetStatusText(int part, const std::string &text) override { parts.push_back({part, text}); }
    std::vector<std::pair<int, std::string>> parts;
};

TEST(StatusTexts, EachModeShowsItsNumbersAndKeys) {
    SceneBuilder builder;
    PositionEntry position = UnitPosition(0);
    position.translation = {1.5, -2.0, 0.25};
    position.rotation = {90, -45, 360};
    position.scale = {2.0, 1.0, 0.5};
    builder.Part("p.x").Motion("m").Frame("f").Position(position);
    builder.document.header.cameraElevation = -10;
    builder.document.header.cameraAzimuth = 20;
    builder.document.header.cameraDistance = 450;
    const SceneDocument scene = builder.Build();

    EXPECT_EQ(FormatStatusTexts(scene, kEditView),
              (StatusTexts{"View-Rotation-X[-10] [↑,↓]", "View-Rotation-Y[20] [←,→]",
                           "View-Scale[450] [Home, End]"}));
    EXPECT_EQ(FormatStatusTexts(scene, kEditTranslate),
              (StatusTexts{"Position-X[1.500000] [←,→]", "Position-Y[-2.000000] [↑,↓]",
                           "Position-Z[0.250000] [Home, End]"}));
    EXPECT_EQ(FormatStatusTexts(scene, kEditRotate),
              (StatusTexts{"Rotation-X[90] [↑,↓]", "Rotation-Y[-45] [←,→]",
                           "Rotation-Z[360] [Home, End]"}));
    EXPECT_EQ(FormatStatusTexts(scene, kEditScale),
              (StatusTexts{"Scale-X[2.000000] [←,→]", "Scale-Y[1.000000] [↑,↓]",
                           "Scale-Z[0.500000] [Home, End]"}));
    EXPECT_EQ(FormatStatusTexts(scene, 4), StatusTexts{});
    EXPECT_EQ(FormatStatusTexts(scene, -1), StatusTexts{});
}

TEST(StatusTexts, ArrowsAreShiftJisBytes) {
    SceneBuilder builder;
    const StatusTexts texts = FormatStatusTexts(builder.Build(), kEditView);
    EXPECT_NE(texts[0].find("\x81\xAA,\x81\xAB"), std::string::npos);  // ↑,↓
    EXPECT_NE(texts[1].find("\x81\xA9,\x81\xA8"), std::string::npos);  // ←,→
}

TEST(StatusTexts, EditModesWithoutAPositionGiveThreeEmptyPartsAndAllAreSet) {
    SceneBuilder noPositions;
    noPositions.Part("p.x").Motion("m").Frame("f");
    SceneBuilder noFrames;
    noFrames.Part("p.x").Motion("m");
    SceneBuilder empty;
    for (SceneBuilder *builder : {&noPositions, &noFrames, &empty}) {
        RecordingStatusBar bar;
        UpdateStatusTexts(builder->Build(), kEditTranslate, bar);
        ASSERT_EQ(bar.parts.size(), 3u);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(bar.parts[i].first, i);
            EXPECT_EQ(bar.parts[i].second, "");
        }
    }
    // View mode needs no position.
    EXPECT_FALSE(FormatStatusTexts(empty.Build(), kEditView)[2].empty());
}

}  // namespace
