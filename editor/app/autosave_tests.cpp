// Autosave and recovery: the record a copy carries, the rules for the
// copies on disk, the schedule through the fake clock and job runner, and
// the start-up question's three answers.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "app/autosave.h"
#include "app/command_dispatch.h"
#include "app/command_ids.h"
#include "app/fakes/editor_fixture.h"
#include "app/fakes/fake_autosave.h"
#include "app/file_commands.h"
#include "app/history.h"
#include "app/main_window_events.h"
#include "app/recovery_copies.h"
#include "app/recovery_offer.h"
#include "base/field_text.h"
#include "test_documents.h"

namespace morvel::app {
namespace {

using document::MessageAnswer;
using document::testing::DocumentContents;
using document::testing::MakePosition;
using document::testing::OwnedDocument;

DocumentContents RecoveryFigure(double seed = 1) {
    return {{".\\body.x", ".\\arm.x"},
            {{"walk", "", {{"f0", {MakePosition(0, seed), MakePosition(1, seed + 1)}}}}}};
}

// A process of the tests: an id and a start of its own.
ProcessIdentity Process(unsigned long id) { return {id, 1000 + id}; }

RecoveryRecord TestRecord(unsigned long processId, const std::string &path, int minute = 0) {
    RecoveryRecord record;
    record.process = Process(processId);
    record.savedAt = {2024, 5, 1, 12, minute, 7};
    record.documentPath = path;
    record.folder = "C:\\figures\\";
    std::memcpy(record.version.data(), "1.00", 4);
    return record;
}

bool CopyExists(const std::string &path) { return std::filesystem::exists(path); }

TEST(RecoveryRecordTest, RoundTripsAndRefusesEveryDamagedTrailer) {
    RecoveryRecord record = TestRecord(123456, "C:\\データ\\表.mvl");
    record.process.started = 0xFFFFFFFFFFFFFFFFull;
    std::memcpy(record.version.data(), "0.9\x01", 4);
    const std::string trailer = EncodeRecordTrailer(record);
    RecoveryRecord read;
    ASSERT_TRUE(DecodeRecordTrailer("motion bytes before" + trailer, read));
    EXPECT_TRUE(read.process == record.process);
    EXPECT_EQ(read.documentPath, record.documentPath);
    EXPECT_EQ(read.folder, record.folder);
    EXPECT_EQ(read.version, record.version);
    EXPECT_EQ(read.savedAt.minute, 0);

    // A copy cut anywhere (a file is never cut by our writer, but a disk
    // may be) has no trailer at its end.
    for (size_t cut = 1; cut < trailer.size(); ++cut) {
        EXPECT_FALSE(DecodeRecordTrailer(trailer.substr(0, trailer.size() - cut), read)) << cut;
        EXPECT_FALSE(DecodeRecordTrailer(trailer.substr(cut), read)) << cut;
    }
    // Damaged fields, one at a time.
    const auto damaged = [&](const std::string &from, const std::string &to) {
        std::string text = trailer.substr(0, trailer.size() - 8);
        text.replace(text.find(from), from.size(), to);
        std::string bytes = text;
        const uint32_t length = static_cast<uint32_t>(text.size());
        for (int s = 0; s < 32; s += 8) bytes += static_cast<char>((length >> s) & 0xFF);
        return DecodeRecordTrailer(bytes + "MVRC", read);
    };
    EXPECT_TRUE(damaged("process 123456", "process 7"));
    EXPECT_FALSE(damaged("process 123456", "process 99999999999"));
    EXPECT_FALSE(damaged("process 123456", "process 0123456"));
    EXPECT_FALSE(damaged("18446744073709551615", "18446744073709551616"));
    EXPECT_FALSE(damaged("123456 ", "123456"));
    EXPECT_FALSE(damaged("2024-05-01", "2024-13-01"));
    EXPECT_FALSE(damaged("folder 433A", "folder 003A"));  // a zero byte inside a text
    EXPECT_FALSE(damaged("folder 433A", "folder 43G"));
    EXPECT_FALSE(damaged("version ", "version 00"));
    // Every single-byte change is read as some record or refused, never more.
    for (size_t at = 0; at < trailer.size(); ++at) {
        std::string changed = trailer;
        changed[at] = static_cast<char>(changed[at] ^ 0x5A);
        DecodeRecordTrailer(changed, read);
    }
}

class RecoveryCopiesTest : public ::testing::Test {
protected:
    std::string Folder() const { return folder.Root().string() + "/"; }
    std::string Write(const ProcessIdentity &writer, const DocumentContents &contents, int minute,
                      const std::string &userCode = "") {
        OwnedDocument doc(contents);
        base::StoreFieldText(doc->header.userCode, sizeof doc->header.userCode, userCode);
        RecoveryRecord record = TestRecord(writer.id, "C:\\a.mvl", minute);
        record.process = writer;
        const std::string path = Folder() + RecoveryCopyName(writer);
        EXPECT_TRUE(WriteRecoveryCopy(doc.Get(), record, path));
        return path;
    }
    document::testing::TempFolder folder;
    fakes::FakeRecoveryPlatform platform;
};

TEST_F(RecoveryCopiesTest, ACopyLoadsAsTheSavedFileWouldWithItsUserCode) {
    const std::string path = Write(Process(99), RecoveryFigure(), 0, "secret");
    OwnedDocument loaded;
    EXPECT_EQ(Mvl_Func_Load(&loaded.Get(), path.c_str(), ""), MVL_LOAD_BAD_USER_CODE);
    ASSERT_EQ(Mvl_Func_Load(&loaded.Get(), path.c_str(), "secret"), MVL_LOAD_OK);
    OwnedDocument expected(RecoveryFigure());
    base::StoreFieldText(expected->header.userCode, sizeof expected->header.userCode, "secret");
    std::memcpy(expected->header.version, "1.00", 4);
    EXPECT_EQ(document::testing::EncodedBytes(loaded.Get()),
              document::testing::EncodedBytes(expected.Get()));
    RecoveryRecord record;
    ASSERT_TRUE(ReadRecoveryRecord(path, record));
    EXPECT_EQ(record.process.id, 99u);
}

TEST_F(RecoveryCopiesTest, OffersOnlyWholeCopiesOfEndedProcessesNewestFirst) {
    platform.running = {77};
    platform.process = {14, 2000};
    const std::string older = Write(Process(10), RecoveryFigure(), 5);
    const std::string newer = Write(Process(11), RecoveryFigure(), 9);
    Write(Process(77), RecoveryFigure(), 30);  // another editor that runs
    Write(platform.process, RecoveryFigure(), 30);  // this one
    // An ended process whose id this one has now.
    const std::string reused = Write(Process(14), RecoveryFigure(), 7);
    // A copy cut short, names that are not exactly ours, and a record that
    // names another process than the file's name.
    const std::string cut = Write(Process(12), RecoveryFigure(), 40);
    std::filesystem::resize_file(cut, std::filesystem::file_size(cut) - 3);
    const std::string newerName = RecoveryCopyName(Process(11));
    std::filesystem::copy_file(newer, Folder() + "morvel-011-1011.mvl");
    std::filesystem::copy_file(newer, Folder() + newerName + ".bak");
    std::filesystem::copy_file(newer, Folder() + "morvel-11.mvl");
    std::filesystem::copy_file(newer, Folder() + RecoveryCopyName(Process(13)));
    const size_t files = std::distance(std::filesystem::directory_iterator(folder.Root()), {});

    const std::vector<RecoveryCandidate> copies = EndedCopies(Folder(), platform);
    ASSERT_EQ(copies.size(), 3u);
    EXPECT_EQ(copies[0].path, newer);
    EXPECT_EQ(copies[1].path, reused);
    EXPECT_EQ(copies[2].path, older);
    // Looking touches nothing.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Root()), {}), files);
    EXPECT_TRUE(EndedCopies("", platform).empty());
}

class AutosaveTest : public fakes::EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        std::filesystem::create_directory(folder.Path("Recovery"));
        platform.folder = folder.Path("Recovery") + "/";
        editor.autosave = &ports;
        Show(RecoveryFigure());
        keys.keys["Software\\Kelvarin\\Morvel"];
    }
    std::string OwnCopy() const { return platform.folder + RecoveryCopyName(platform.process); }
    // One edit as a key step and its release.
    void Edit() {
        editor.state.currentDocument.document.motions[0].frames[0].positions[0].translation.x += 1;
        PushUndoSnapshot(editor.state, "edit");
    }
    void TickAfter(uint64_t seconds) {
        clock.Advance(seconds * 1000);
        TimerFired(editor, kAutosaveTimerId);
    }
    double CopiedX(const std::string &path) {
        OwnedDocument loaded;
        EXPECT_EQ(Mvl_Func_Load(&loaded.Get(), path.c_str(), ""), MVL_LOAD_OK);
        return loaded->motions[0].frames[0].positions[0].translation.x;
    }
    std::string WriteEndedCopy(unsigned long processId, const std::string &documentPath,
                               const std::string &userCode = "") {
        OwnedDocument doc(RecoveryFigure(50));
        base::StoreFieldText(doc->header.userCode, sizeof doc->header.userCode, userCode);
        RecoveryRecord record = TestRecord(processId, documentPath);
        record.folder = folder.Root().string() + "/";
        std::memcpy(record.version.data(), "0.90", 4);
        const std::string path = platform.folder + RecoveryCopyName(Process(processId));
        EXPECT_TRUE(WriteRecoveryCopy(doc.Get(), record, path));
        return path;
    }
    // The start-up question answers `answer`.
    void QuestionAnswers(RecoveryAnswer answer) {
        dialogs.makers["IDD_RECOVERY"] = [](Editor &) {
            return std::make_unique<fakes::InertController>();
        };
        shell.dialogRunner = [this, answer](const std::string &name, DialogController &) {
            if (name != "IDD_RECOVERY") return false;
            editor.state.recoveryOffer.answer = answer;
            return true;
        };
    }

    fakes::FakeRecoveryPlatform platform;
    fakes::ManualJobRunner jobs;
    AutosavePorts ports{platform, jobs};
};

TEST_F(AutosaveTest, WritesAnIntervalAfterAChangeFromASnapshotOffTheWindowThread) {
    TickAfter(600);
    EXPECT_EQ(jobs.started, 0) << "nothing changed";
    Edit();
    TickAfter(1);  // the wait starts with the first tick that sees the change
    TickAfter(299);
    EXPECT_EQ(jobs.started, 0);
    TickAfter(1);
    ASSERT_EQ(jobs.started, 1);
    EXPECT_FALSE(CopyExists(OwnCopy())) << "written by the job, not the timer";
    const double snapshotX = Current().motions[0].frames[0].positions[0].translation.x;
    Edit();  // while the copy is written
    TickAfter(1);
    TickAfter(400);
    EXPECT_EQ(jobs.started, 1) << "one write at a time";
    jobs.RunJob();
    TickAfter(1);
    EXPECT_EQ(CopiedX(OwnCopy()), snapshotX);
    RecoveryRecord record;
    ASSERT_TRUE(ReadRecoveryRecord(OwnCopy(), record));
    EXPECT_TRUE(record.process == platform.process);
    EXPECT_EQ(record.folder, shell.currentDirectory);
    // The change made during the write has waited since then: it goes next.
    EXPECT_EQ(jobs.started, 2);
    jobs.RunJob();
    TickAfter(1);
    EXPECT_EQ(CopiedX(OwnCopy()), snapshotX + 1);
    TickAfter(900);
    EXPECT_EQ(jobs.started, 2) << "no change since the last copy";
}

TEST_F(AutosaveTest, OffOrWithoutAFolderNothingIsWritten) {
    editor.state.autosave.intervalSeconds = 0;
    Edit();
    TickAfter(1);
    TickAfter(86400);
    EXPECT_EQ(jobs.started, 0);
    editor.state.autosave.intervalSeconds = 60;
    platform.folder.clear();
    TickAfter(1);
    TickAfter(60);
    EXPECT_EQ(jobs.started, 0);
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path("Recovery")));
}

TEST_F(AutosaveTest, SaveNewOpenAndExitRemoveTheCopyEvenOneBeingWritten) {
    const std::string file = WriteMotionFile("walk.mvl", RecoveryFigure());
    const std::string other = platform.folder + RecoveryCopyName(Process(777));
    platform.running = {777};
    WriteEndedCopy(777, "C:\\x.mvl");  // another running editor's copy: never touched
    const auto writeCopy = [&] {
        Edit();
        TickAfter(1);
        TickAfter(300);
        jobs.RunJob();
        TickAfter(1);
        ASSERT_TRUE(CopyExists(OwnCopy()));
    };

    writeCopy();
    shell.WillChooseFile(file);
    shell.WillAnswer(MessageAnswer::Yes);  // the Save As chooser may ask to replace
    RunCommand(editor, CMD_FILE_SAVE_AS);
    EXPECT_FALSE(CopyExists(OwnCopy())) << "Save As";

    // Saved while the copy was being written: it goes once the write ends.
    Edit();
    TickAfter(1);
    TickAfter(300);
    ASSERT_TRUE(jobs.Pending());
    RunCommand(editor, CMD_FILE_SAVE);
    jobs.RunJob();
    TickAfter(1);
    EXPECT_FALSE(CopyExists(OwnCopy())) << "Save during a write";
    TickAfter(600);
    EXPECT_EQ(jobs.started, 2) << "the saved document needs no copy";

    writeCopy();
    shell.WillAnswer(MessageAnswer::Yes);
    RunCommand(editor, CMD_FILE_NEW);
    EXPECT_FALSE(CopyExists(OwnCopy())) << "New";

    Show(RecoveryFigure());
    writeCopy();
    shell.WillAnswer(MessageAnswer::Yes);
    shell.WillChooseFile(file);
    RunCommand(editor, CMD_FILE_OPEN);
    EXPECT_FALSE(CopyExists(OwnCopy())) << "Open";

    Edit();
    TickAfter(1);
    TickAfter(300);
    ASSERT_TRUE(jobs.Pending());
    Destroyed(editor);  // a clean exit waits for the write, then removes it
    EXPECT_FALSE(CopyExists(OwnCopy())) << "exit";
    EXPECT_TRUE(CopyExists(other));
}

TEST_F(AutosaveTest, RestoreOpensTheCopyUnsavedUnderItsOwnNameAndKeepsItUntilReplaced) {
    MakePartsLoadable(RecoveryFigure(50));
    const std::string copy = WriteEndedCopy(99, "C:\\docs\\walk.mvl");
    QuestionAnswers(RecoveryAnswer::Restore);
    RunCommand(editor, CMD_RECOVERY_OFFER);

    EXPECT_TRUE(document::testing::operator==(Current().motions[0].frames[0].positions[0],
                                              MakePosition(0, 50)));
    EXPECT_EQ(FilePath(), "C:\\docs\\walk.mvl");
    EXPECT_EQ(shell.title, "Morvel Version 2.01 [C:\\docs\\walk.mvl]");
    EXPECT_EQ(std::memcmp(Header().version, "0.90", 4), 0) << "Save asks as it would have";
    EXPECT_EQ(shell.directoryChanges.back(), folder.Root().string() + "/");
    EXPECT_TRUE(shell.RecentMenuItems().empty()) << "a restore is no open";
    // The restored changes are held by the adopted copy until this
    // process writes its own.
    TickAfter(1);
    TickAfter(900);
    EXPECT_EQ(jobs.started, 0);
    EXPECT_TRUE(CopyExists(copy));
    Edit();
    TickAfter(1);
    TickAfter(300);
    jobs.RunJob();
    TickAfter(1);
    EXPECT_TRUE(CopyExists(OwnCopy()));
    EXPECT_FALSE(CopyExists(copy));
    // Closing asks, as for any document with a file.
    shell.WillAnswer(MessageAnswer::No);
    CloseRequested(editor);
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].caption, "閉じる");
}

TEST_F(AutosaveTest, ANeverSavedDocumentComesBackAsEditedAndNew) {
    MakePartsLoadable(RecoveryFigure(50));
    WriteEndedCopy(99, "");
    QuestionAnswers(RecoveryAnswer::Restore);
    RunCommand(editor, CMD_RECOVERY_OFFER);
    EXPECT_EQ(FilePath(), "\x01");
    EXPECT_EQ(shell.title, "Morvel Version 2.01 [新規]");
}

TEST_F(AutosaveTest, DiscardAsksAgainAndKeepLeavesTheCopy) {
    const std::string copy = WriteEndedCopy(99, "C:\\docs\\walk.mvl");
    QuestionAnswers(RecoveryAnswer::Keep);
    // A file named on the command line waits for the answer: opened inside
    // the question's modal loop it would come up under the question.
    editor.state.pendingOpenPath = "C:\\walk.mvl";
    RunCommand(editor, CMD_RECOVERY_OFFER);
    EXPECT_EQ(shell.dialogsRun, std::vector<std::string>{"IDD_RECOVERY"});
    ASSERT_EQ(shell.posted.size(), 1u);
    EXPECT_EQ(shell.posted[0].value, CMD_OPEN_PENDING_FILE);
    shell.posted.clear();
    editor.state.pendingOpenPath.clear();
    EXPECT_TRUE(shell.messages.empty());
    EXPECT_TRUE(CopyExists(copy));

    QuestionAnswers(RecoveryAnswer::Discard);
    shell.WillAnswer(MessageAnswer::No);
    RunCommand(editor, CMD_RECOVERY_OFFER);
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].caption, "自動保存の回復");
    EXPECT_TRUE(CopyExists(copy));

    shell.WillAnswer(MessageAnswer::Yes);
    RunCommand(editor, CMD_RECOVERY_OFFER);
    EXPECT_FALSE(CopyExists(copy));
    EXPECT_EQ(FilePath(), "") << "the document shown is untouched";
    shell.dialogsRun.clear();
    RunCommand(editor, CMD_RECOVERY_OFFER);
    EXPECT_TRUE(shell.dialogsRun.empty()) << "nothing left to offer";
}

TEST_F(AutosaveTest, ACopyThatDoesNotLoadStaysAndChangesNothing) {
    // A protected document's copy opens only with its code: one attempt,
    // as in Open; a wrong one keeps the copy.
    const std::string copy = WriteEndedCopy(99, "C:\\docs\\walk.mvl", "code");
    QuestionAnswers(RecoveryAnswer::Restore);
    dialogs.makers["IDD_USERCODE"] = [](Editor &) { return std::make_unique<fakes::InertController>(); };
    const auto runner = shell.dialogRunner;
    shell.dialogRunner = [this, runner](const std::string &name, DialogController &c) {
        if (name != "IDD_USERCODE") return runner(name, c);
        editor.state.userCode.fill('\0');
        std::memcpy(editor.state.userCode.data(), "wrong", 5);
        return true;
    };
    const DocumentContents before = Current();
    RunCommand(editor, CMD_RECOVERY_OFFER);
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].text, "ユーザ識別コードに誤りがあります。");
    EXPECT_TRUE(CopyExists(copy));

    // Cut inside its positions, with a whole record after them: the load fails.
    WriteEndedCopy(99, "C:\\docs\\walk.mvl");
    std::vector<uint8_t> bytes = document::testing::ReadBytes(copy);
    const std::string trailer = EncodeRecordTrailer(TestRecord(99, "C:\\docs\\walk.mvl"));
    bytes.resize(192 + 2 * 66 + 88 + 24 + 60);
    bytes.insert(bytes.end(), trailer.begin(), trailer.end());
    document::testing::WriteBytes(copy, bytes);
    shell.messages.clear();
    RunCommand(editor, CMD_RECOVERY_OFFER);
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_NE(shell.messages[0].text.find("読み込めませんでした"), std::string::npos);
    EXPECT_TRUE(CopyExists(copy));
    EXPECT_EQ(Current().motions.size(), before.motions.size());
    EXPECT_EQ(FilePath(), "");
}

TEST_F(AutosaveTest, TheIntervalLivesInTheProgramsKey) {
    LoadAutosaveInterval(editor.state, keys);
    EXPECT_EQ(editor.state.autosave.intervalSeconds, kDefaultAutosaveSeconds);
    for (const char *bad : {"", "-5", "abc", "99999999"}) {
        keys.keys["Software\\Kelvarin\\Morvel"].values[kAutosaveValueName] = bad;
        LoadAutosaveInterval(editor.state, keys);
        EXPECT_EQ(editor.state.autosave.intervalSeconds, kDefaultAutosaveSeconds) << bad;
    }
    dialogs.makers["IDD_AUTOSAVE"] = [](Editor &) { return std::make_unique<fakes::InertController>(); };
    shell.dialogRunner = [this](const std::string &, DialogController &) {
        editor.state.autosave.intervalSeconds = 30;
        return true;
    };
    RunCommand(editor, CMD_TOOL_AUTOSAVE);
    EXPECT_EQ(keys.keys["Software\\Kelvarin\\Morvel"].values[kAutosaveValueName], "30");
    editor.state.autosave.intervalSeconds = 1;
    LoadAutosaveInterval(editor.state, keys);
    EXPECT_EQ(editor.state.autosave.intervalSeconds, 30);
}

}  // namespace
}  // namespace morvel::app
