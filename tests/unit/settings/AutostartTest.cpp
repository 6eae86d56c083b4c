// The program's entry in the Run lists: reading its state, removing and writing it, and
// the start-up steps that use them.
#include <gtest/gtest.h>

#include "FakeSettingsPorts.h"
#include "settings/Autostart.h"

using namespace qlx;

namespace {

const std::string kProgram = "C:\\Program Files\\Quiklex\\quiklex.exe";
const std::string kWritten = "\"C:\\Program Files\\Quiklex\\quiklex.exe\" -auto";

class AutostartTest : public ::testing::Test {
  protected:
    FakeRunLists lists;
    FakeReporter reporter;
    uint16_t stateOf(RunList list, const std::string& program = kProgram) {
        return ReadAutostartState(lists, list, program).state;
    }
};

} // namespace

TEST_F(AutostartTest, StateNeedsTheNameAndThisProgramsPathQuotedOrNot) {
    lists.user = {{"quiklex", true, kProgram + " -auto"}};
    EXPECT_EQ(stateOf(RunList::CurrentUser), 1);
    EXPECT_EQ(stateOf(RunList::CurrentUser, "D:\\Other\\quiklex.exe"), 0);
    lists.user = {{"quiklex", true, kWritten}};
    EXPECT_EQ(stateOf(RunList::CurrentUser), 1);
    lists.user = {{"QUIKLEX", true, "c:\\program files\\quiklex\\QUIKLEX.EXE -minimize"}};
    EXPECT_EQ(stateOf(RunList::CurrentUser), 2);
    lists.user = {{"quiklexOld", true, kWritten}, {"Other", true, kWritten}};
    EXPECT_EQ(stateOf(RunList::CurrentUser), 0);
    EXPECT_EQ(stateOf(RunList::Machine), 0);
}

TEST_F(AutostartTest, ValuesThatAreNotTextAreSkippedAndAnUnreadableListIsAFailure) {
    lists.machine = {{"Binary", false, "\x01\x02"}, {"quiklex", true, kWritten}};
    const AutostartReading reading = ReadAutostartState(lists, RunList::Machine, kProgram);
    EXPECT_EQ(reading.state, 1);
    EXPECT_FALSE(reading.failed);

    lists.machineUnreadable = true;
    const AutostartReading failed = ReadAutostartState(lists, RunList::Machine, kProgram);
    EXPECT_EQ(failed.state, 0);
    EXPECT_TRUE(failed.failed);
}

TEST_F(AutostartTest, WritingRemovesEntriesByNameAndByFileNameAndWritesTheQuotedEntry) {
    for (int mode : {1, 2}) {
        lists.user = {{"quiklexOld", true, "D:\\x.exe"},
                      {"Other", true, "E:\\tools\\QUIKLEX.exe -m"},
                      {"Keep", true, "C:\\keep.exe"},
                      {"quiklexBin", false, ""}};
        lists.deleted.clear();
        ASSERT_TRUE(WriteAutostart(lists, reporter, mode, kProgram));
        EXPECT_EQ(lists.deleted, (std::vector<std::string>{"quiklexOld", "Other"}));
        ASSERT_EQ(lists.user.size(), 3u);
        EXPECT_EQ(lists.user[2].name, "quiklex");
        EXPECT_EQ(lists.user[2].data, kWritten);
    }
    ASSERT_TRUE(WriteAutostart(lists, reporter, 0, kProgram));
    ASSERT_EQ(lists.user.size(), 2u);
    EXPECT_EQ(stateOf(RunList::CurrentUser), 0);
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(AutostartTest, WriteFailuresAreReportedOnThePanel) {
    lists.userReadOnly = true;
    EXPECT_FALSE(WriteAutostart(lists, reporter, 1, kProgram));
    lists.userReadOnly = false;
    lists.user = {{"quiklex", true, kWritten}};
    lists.failDelete = true;
    EXPECT_FALSE(WriteAutostart(lists, reporter, 0, kProgram));
    lists.failDelete = false;
    lists.failWrite = true;
    EXPECT_FALSE(WriteAutostart(lists, reporter, 1, kProgram));
    ASSERT_EQ(reporter.messages.size(), 3u);
    for (const ShownMessage& m : reporter.messages) {
        EXPECT_EQ(m.text, "Windows tillod ikke indstilling af automatisk start");
        EXPECT_EQ(m.caption, "Problem");
        EXPECT_EQ(m.kind, SettingsMessageKind::Warning);
        EXPECT_TRUE(m.ownedByMainWindow);
    }
}

TEST_F(AutostartTest, MachineEntryLocksAndRemovesTheUsersEntryAtStart) {
    lists.machine = {{"quiklex", true, kProgram + " -auto"}};
    lists.user = {{"quiklex", true, kWritten}};
    Autostart autostart(lists, reporter, kProgram);
    autostart.checkMachineAutostart();
    EXPECT_EQ(autostart.AutostartState, 1);
    EXPECT_TRUE(autostart.AutostartLocked);
    EXPECT_TRUE(lists.user.empty());

    autostart.firstStartOfVersion(false, false);
    EXPECT_TRUE(lists.user.empty());
}

TEST_F(AutostartTest, UnreadableMachineListDoesNotStopTheStart) {
    lists.machineUnreadable = true;
    lists.user = {{"quiklex", true, kWritten}};
    Autostart autostart(lists, reporter, kProgram);
    autostart.checkMachineAutostart();
    EXPECT_EQ(autostart.AutostartState, 0);
    EXPECT_FALSE(autostart.AutostartLocked);
    EXPECT_EQ(lists.user.size(), 1u);
}

TEST_F(AutostartTest, FirstStartOfVersionWritesTheUsersEntryUnlessBarred) {
    Autostart autostart(lists, reporter, kProgram);
    autostart.firstStartOfVersion(true, false);
    autostart.firstStartOfVersion(false, true);
    EXPECT_TRUE(lists.user.empty());
    autostart.firstStartOfVersion(false, false);
    ASSERT_EQ(lists.user.size(), 1u);
    EXPECT_EQ(lists.user[0].data, kWritten);
    EXPECT_FALSE(autostart.AutostartLocked);
}
