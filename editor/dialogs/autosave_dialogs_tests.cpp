// The autosave settings dialog and the start-up recovery question.
#include <gtest/gtest.h>

#include "app/fakes/fake_dialog_view.h"
#include "dialogs/autosave_dialog.h"
#include "dialogs/autosave_dialog_ids.h"
#include "dialogs/recovery_dialog_ids.h"
#include "dialogs/recovery_question.h"

namespace morvel::dialogs {
namespace {

TEST(AutosaveDialogTest, MinutesWithDecimalsBecomeSecondsAndNonsenseIsRefused) {
    const std::pair<const char *, int> cases[] = {
        {"5", 300}, {"0", 0},   {"0.5", 30},     {".5", 30},    {"0.05", 3},  {"0.001", 1},
        {"1440", 86400}, {"1440.01", -1}, {"", -1}, {".", -1}, {"1.2.3", -1}, {"-1", -1},
        {"1e3", -1}, {"0.0001", -1}, {" 5", -1}, {"５", -1}, {"99999999", -1}};
    for (const auto &[text, seconds] : cases) EXPECT_EQ(AutosaveSecondsFromText(text), seconds) << text;
    for (int seconds : {0, 1, 3, 30, 59, 60, 90, 300, 86400}) {
        EXPECT_NEAR(AutosaveSecondsFromText(AutosaveMinutesText(seconds)), seconds, 0) << seconds;
    }
    EXPECT_EQ(AutosaveMinutesText(30), "0.5");

    int interval = 300;
    AutosaveDialog dialog(interval);
    app::fakes::FakeDialogView view;
    dialog.OnInit(view);
    EXPECT_EQ(view[IDC_AUTOSAVE_MINUTES].text, "5");
    view[IDC_AUTOSAVE_MINUTES].text = "abc";
    dialog.OnCommand(view, app::kDialogOk, 0);
    EXPECT_FALSE(view.ended);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].caption, "自動保存");
    view[IDC_AUTOSAVE_MINUTES].text = "0.25";
    dialog.OnCommand(view, app::kDialogOk, 0);
    EXPECT_TRUE(view.ended);
    EXPECT_EQ(interval, 15);
}

TEST(RecoveryQuestionTest, NamesTheDocumentAndTimeAndTakesOneOfThreeAnswers) {
    app::RecoveryOffer offer;
    offer.candidate.record.documentPath = "C:\\作業\\表.mvl";  // 0x5C as a second byte
    offer.candidate.record.savedAt = {2024, 5, 1, 9, 3, 0};
    offer.answer = app::RecoveryAnswer::Restore;
    RecoveryQuestion question(offer);
    app::fakes::FakeDialogView view;
    question.OnInit(view);
    EXPECT_EQ(view[IDC_RECOVERY_NAME].text, "文書: 表.mvl");
    EXPECT_EQ(view[IDC_RECOVERY_FOLDER].text, "場所: C:\\作業\\");
    EXPECT_EQ(view[IDC_RECOVERY_TIME].text, "自動保存した時刻: 2024年5月1日 09:03:00");
    EXPECT_EQ(offer.answer, app::RecoveryAnswer::Keep) << "closing keeps it";
    question.OnCommand(view, app::kDialogCancel, 0);
    EXPECT_TRUE(view.ended);
    EXPECT_EQ(offer.answer, app::RecoveryAnswer::Keep);
    question.OnCommand(view, IDC_RECOVERY_DISCARD, 0);
    EXPECT_EQ(offer.answer, app::RecoveryAnswer::Discard);
    question.OnCommand(view, IDC_RECOVERY_RESTORE, 0);
    EXPECT_EQ(offer.answer, app::RecoveryAnswer::Restore);

    offer.candidate.record.documentPath = "\x01";
    EXPECT_EQ(TextsOf(offer.candidate.record).name, "文書: 新規（まだ保存されていない文書）");
    EXPECT_EQ(TextsOf(offer.candidate.record).folder, "");
}

}  // namespace
}  // namespace morvel::dialogs
