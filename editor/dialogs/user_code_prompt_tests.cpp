#include <gtest/gtest.h>

#include "app/fakes/fake_dialog_view.h"
#include "dialogs/user_code_prompt.h"

namespace morvel::dialogs {
namespace {

using namespace morvel::app;

TEST(UserCodePromptTest, OkKeepsTheTypedCodeAndCancelMarksTheBuffer) {
    UserCodeBuffer buffer{};
    buffer.fill('x');
    UserCodePrompt prompt(buffer);
    fakes::FakeDialogView view;
    prompt.OnInit(view);
    EXPECT_EQ(buffer[0], '\0') << "opening clears the buffer";

    view[kUserCodeEdit].text = "secret";
    prompt.OnCommand(view, kDialogOk, kNotifyClicked);
    EXPECT_STREQ(buffer.data(), "secret");
    EXPECT_TRUE(view.ended);
    EXPECT_EQ(view.result, 0);
    EXPECT_FALSE(UserCodeCancelled(buffer));

    fakes::FakeDialogView again;
    prompt.OnInit(again);
    prompt.OnCommand(again, kDialogCancel, kNotifyClicked);
    EXPECT_TRUE(UserCodeCancelled(buffer));
    EXPECT_EQ(again.result, 0);
}

TEST(UserCodePromptTest, ALongCodeIsCutAtACharacterBoundary) {
    UserCodeBuffer buffer{};
    UserCodePrompt prompt(buffer);
    fakes::FakeDialogView view;
    prompt.OnInit(view);
    // 1022 single bytes, then a double-byte character that would end past 1023.
    view[kUserCodeEdit].text = std::string(1022, 'a') + "\x82\xa0" + "tail";
    prompt.OnCommand(view, kDialogOk, kNotifyClicked);
    EXPECT_EQ(std::string(buffer.data()), std::string(1022, 'a'));
    EXPECT_EQ(buffer.back(), '\0');
}

TEST(UserCodePromptTest, OtherCommandsLeaveTheDialogOpen) {
    UserCodeBuffer buffer{};
    UserCodePrompt prompt(buffer);
    fakes::FakeDialogView view;
    prompt.OnInit(view);
    prompt.OnCommand(view, kUserCodeEdit, 0x0300);  // EN_CHANGE
    EXPECT_FALSE(view.ended);
}

}  // namespace
}  // namespace morvel::dialogs
