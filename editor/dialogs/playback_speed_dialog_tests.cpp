#include <gtest/gtest.h>

#include "app/control_ids.h"
#include "app/fakes/fake_dialog_view.h"
#include "dialogs/playback_speed_dialog.h"

namespace morvel::dialogs {
namespace {

using namespace morvel::app;

TEST(PlaybackSpeedDialogTest, AcceptsOneToSixtyAndRefusesTheRest) {
    PlaybackSettings settings;
    PlaybackSpeedDialog dialog(settings);
    fakes::FakeDialogView view;
    dialog.OnInit(view);
    EXPECT_EQ(view[IDC_SPEED_EDIT].text, "10");
    for (const char *bad : {"0", "61", "abc", "", "-5", "1e1"}) {
        view[IDC_SPEED_EDIT].text = bad;
        dialog.OnCommand(view, 1, 0);
        EXPECT_FALSE(view.ended) << bad;
    }
    EXPECT_EQ(view.messages.size(), 6u);
    EXPECT_EQ(view.messages[0].caption, "再生速度");
    view[IDC_SPEED_EDIT].text = "60";
    dialog.OnCommand(view, 1, 0);
    EXPECT_TRUE(view.ended);
    EXPECT_EQ(settings.framesPerSecond, 60);
}

}  // namespace
}  // namespace morvel::dialogs
