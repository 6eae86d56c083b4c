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

// Only the program's own entries go: the name "quiklex", or a command that starts this very
// program file. Another program's entry stays, whatever its name or command contains.
TEST_F(AutostartTest, OwnEntriesAreTheNameOrThisProgramsExactPath) {
    const struct {
        RunListValue value;
        bool own;
    } cases[] = {
        {{"quiklex", true, "D:\\x.exe"}, true},
        {{"QuikLex", true, ""}, true},
        {{"Old", true, kWritten}, true},
        {{"Old", true, kProgram}, true},
        {{"Old", true, "  " + kProgram + " -minimize"}, true},
        {{"Old", true, "\"c:\\program files\\quiklex\\QUIKLEX.EXE\""}, true},
        {{"quiklexOld", true, "D:\\x.exe"}, false},
        {{"OneDrive", true, "\"C:\\Users\\a\\OneDrive.exe\" /background"}, false},
        {{"Other", true, "E:\\tools\\quiklex.exe -m"}, false},
        {{"Other", true, kProgram + "2 -auto"}, false},
        {{"Other", true, "\"" + kProgram + "2\" -auto"}, false},
        {{"Other", true, "C:\\launch.exe \"" + kProgram + "\""}, false},
        {{"Other", true, "\"" + kProgram}, false},
        {{"quiklexBin", false, ""}, false},
        {{"Bin", false, kWritten}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isOwnRunEntry(c.value, kProgram), c.own) << c.value.name << "=" << c.value.data;
    // A renamed program file one letter long still leaves the others' entries alone.
    EXPECT_FALSE(isOwnRunEntry({"OneDrive", true, "\"C:\\OneDrive\\OneDrive.exe\""}, "C:\\q\\e.exe"));
}

TEST_F(AutostartTest, WritingRemovesTheOwnEntriesAndWritesTheQuotedEntry) {
    for (int mode : {1, 2}) {
        lists.user = {{"quiklex", true, "D:\\old\\quiklex.exe"},
                      {"Old", true, kProgram + " -auto"},
                      {"Keep", true, "E:\\tools\\quiklex.exe"},
                      {"quiklexBin", false, ""}};
        lists.deleted.clear();
        ASSERT_TRUE(WriteAutostart(lists, reporter, mode, kProgram));
        EXPECT_EQ(lists.deleted, (std::vector<std::string>{"quiklex", "Old"}));
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
