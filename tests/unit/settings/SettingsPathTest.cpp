// Where the settings file lies: default path, shared template with placeholders, relative
// paths, the folder check and the two forms of the failure message.
#include <gtest/gtest.h>

#include "FakeSettingsPorts.h"
#include "settings/SettingsPath.h"

using namespace qlx;

namespace {

const std::string kProgram = "C:\\Prog\\";
const std::string kShared = "C:\\Prog\\quiklex.ini";
const std::string kLongStart =
    "Fejl ved indl\xE6sning af sti fra fil: C:\\Prog\\quiklex.ini\n\n\xC6ndringer vil ikke "
    "blive gemt.  Kontakt venligst systemadministratoren.";

class SettingsPathTest : public ::testing::Test {
  protected:
    FakeFileSystem files;
    FakeSystemInfo system;
    FakeReporter reporter;
    bool modal = false;

    void SetUp() override {
        files.directories = {"C:\\Data\\Roaming", "C:\\Data\\Roaming\\quiklex",
                             "H:\\Indstillinger", "\\\\server\\home\\bruger1",
                             "C:\\Prog",          "D:\\"};
        reporter.modalFlag = &modal;
    }
    void shareTemplate(const std::string& value) {
        files.files[kShared] = "[Shared Settings]\r\nUsersIniFilePath=" + value + "\r\n";
    }
    SettingsLocation resolve() {
        return ResolveSettingsPath(kProgram, files, system, reporter, modal);
    }
};

} // namespace

TEST_F(SettingsPathTest, DefaultIsTheUsersNameInTheAppDataFolderWhichIsCreated) {
    files.directories.erase("C:\\Data\\Roaming\\quiklex");
    const SettingsLocation where = resolve();
    EXPECT_EQ(where.SettingsFilePath, "C:\\Data\\Roaming\\quiklex\\bruger1.ini");
    EXPECT_EQ(files.createdDirectories, std::vector<std::string>{"C:\\Data\\Roaming\\quiklex"});
    EXPECT_FALSE(where.SettingsPathFailed);
    EXPECT_FALSE(where.SharedSettingsUsed);
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(SettingsPathTest, AppDataFallsBackToTheRegistryAndThenToTheProgramFolder) {
    system.shellAppData.clear();
    system.registryAppData = "C:\\Data\\Roaming\\";
    EXPECT_EQ(resolve().SettingsFilePath, "C:\\Data\\Roaming\\quiklex\\bruger1.ini");

    system.registryAppData.clear();
    files.createdDirectories.clear();
    EXPECT_EQ(resolve().SettingsFilePath, "C:\\Prog\\_bruger1.ini");
    EXPECT_TRUE(files.createdDirectories.empty());

    system.user.reset();
    EXPECT_EQ(resolve().SettingsFilePath, "C:\\Prog\\_NoUserNameFound.ini");
}

TEST_F(SettingsPathTest, SharedFileWithoutKeyOrWithBlanksGivesTheDefaultButCountsAsUsed) {
    files.files[kShared] = "[Other]\r\nx=1\r\n";
    SettingsLocation where = resolve();
    EXPECT_EQ(where.SettingsFilePath, "C:\\Data\\Roaming\\quiklex\\bruger1.ini");
    EXPECT_TRUE(where.SharedSettingsUsed);

    shareTemplate("  \t ");
    where = resolve();
    EXPECT_EQ(where.SettingsFilePath, "C:\\Data\\Roaming\\quiklex\\bruger1.ini");
}

TEST_F(SettingsPathTest, PlaceholdersIgnoreCaseAndRepeatOnePerPass) {
    shareTemplate("  H:\\Indstillinger\\%USER%.ini ");
    EXPECT_EQ(resolve().SettingsFilePath, "H:\\Indstillinger\\bruger1.ini");

    shareTemplate("%user%-%user%-%Computer%.ini");
    EXPECT_EQ(resolve().SettingsFilePath, "C:\\Data\\Roaming\\quiklex\\bruger1-bruger1-pc7.ini");

    system.environment["HOMESHARE"] = "\\\\server\\home\\bruger1";
    shareTemplate("%env(HOMESHARE)%\\quiklex.ini");
    const SettingsLocation where = resolve();
    EXPECT_EQ(where.SettingsFilePath, "\\\\server\\home\\bruger1\\quiklex.ini");
    EXPECT_TRUE(where.SharedSettingsUsed);
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(SettingsPathTest, VariableNamesKeepTheirCaseAndLongValuesAreUsedWhole) {
    const std::string longFolder = "C:\\" + std::string(250, 'x');
    files.directories.insert(longFolder);
    system.environment["Deep"] = longFolder;
    shareTemplate("%ENV(Deep)%\\a.ini");
    EXPECT_EQ(resolve().SettingsFilePath, longFolder + "\\a.ini");
}

TEST_F(SettingsPathTest, EmptyOrMisplacedVariablePlaceholdersStayAsText) {
    shareTemplate("%env()%x.ini");
    EXPECT_EQ(resolve().SettingsFilePath, "C:\\Data\\Roaming\\quiklex\\%env()%x.ini");

    shareTemplate("a)%b%env(X)%");
    system.environment["X"] = "never";
    EXPECT_EQ(resolve().SettingsFilePath, "C:\\Data\\Roaming\\quiklex\\a)%b%env(X)%");
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(SettingsPathTest, MissingVariableFailsWithTheLongMessage) {
    shareTemplate("%env(NOPE)%\\x.ini");
    const SettingsLocation where = resolve();
    EXPECT_TRUE(where.SettingsPathFailed);
    EXPECT_EQ(where.SettingsFilePath, "error_NOPE\\x.ini");
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text,
              kLongStart + "\n\nMilj\xF8variablen \"NOPE\" kunne ikke findes.");
    EXPECT_EQ(reporter.messages[0].caption, "Quiklex");
    EXPECT_EQ(reporter.messages[0].kind, SettingsMessageKind::Warning);
    EXPECT_FALSE(reporter.messages[0].ownedByMainWindow);
    EXPECT_TRUE(reporter.modalWhileShown);
    EXPECT_FALSE(modal);
}

TEST_F(SettingsPathTest, ReplacementThatBringsBackItsPlaceholderStopsAndFails) {
    system.user = "me%user%";
    shareTemplate("%user%.ini");
    SettingsLocation where = resolve();
    EXPECT_TRUE(where.SettingsPathFailed);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, kLongStart + "\n(l\xE6st sti: %user%.ini).\n\nStiens "
                                                      "pladsholdere kan ikke udfyldes.");

    system.environment["LOOP"] = "%env(LOOP)%%env(LOOP)%";
    shareTemplate("%env(LOOP)%");
    where = resolve();
    EXPECT_TRUE(where.SettingsPathFailed);
    EXPECT_LE(where.SettingsFilePath.size(), kMaxExpandedPathLength + 64);
    EXPECT_EQ(reporter.messages.size(), 2u);
}

TEST_F(SettingsPathTest, DriveRelativeAndRootedPaths) {
    shareTemplate("D:x.ini");
    EXPECT_EQ(resolve().SettingsFilePath, "D:\\x.ini");
    shareTemplate("\\x.ini");
    EXPECT_EQ(resolve().SettingsFilePath, "\\x.ini");
    EXPECT_TRUE(reporter.messages.empty());
}

// An administrator's redirect saved as UTF-16 by an editor still redirects.
TEST_F(SettingsPathTest, AUtf16SharedFileKeepsItsRedirect) {
    std::string utf16 = "\xFF\xFE";
    for (char c : std::string("[Shared Settings]\r\nUsersIniFilePath=D:\\%user%.ini\r\n")) {
        utf16 += c;
        utf16 += '\0';
    }
    files.files[kShared] = utf16;
    EXPECT_EQ(resolve().SettingsFilePath, "D:\\bruger1.ini");
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(SettingsPathTest, MissingFolderGivesTheLongFormWithASharedFileAndTheShortFormWithout) {
    shareTemplate("sub\\%user%.ini");
    SettingsLocation where = resolve();
    EXPECT_EQ(where.SettingsFilePath, "C:\\Data\\Roaming\\quiklex\\sub\\bruger1.ini");
    EXPECT_TRUE(where.SettingsPathFailed);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text,
              kLongStart + "\n\nKataloget C:\\Data\\Roaming\\quiklex\\sub eksisterer ikke.");

    files.files.erase(kShared);
    system.shellAppData = "C:\\Gone";
    where = resolve();
    EXPECT_TRUE(where.SettingsPathFailed);
    ASSERT_EQ(reporter.messages.size(), 2u);
    EXPECT_EQ(reporter.messages[1].text, "\n\nKataloget C:\\Gone\\quiklex eksisterer ikke.");
}

TEST_F(SettingsPathTest, UnreadableSharedFileFailsWithTheLongMessageAlone) {
    files.unreadable.insert(kShared);
    const SettingsLocation where = resolve();
    EXPECT_TRUE(where.SettingsPathFailed);
    EXPECT_TRUE(where.SharedSettingsUsed);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, kLongStart);
}

// A shared file counts only in a folder the user cannot add files to; anywhere else (or where
// the system cannot tell) its template is set aside for the usual place, and the user is told.
TEST_F(SettingsPathTest, SharedFileCountsOnlyInAFolderTheUserCannotWrite) {
    const std::string kUsual = "C:\\Data\\Roaming\\quiklex\\bruger1.ini";
    const std::string kNotice =
        "Filen C:\\Prog\\quiklex.ini bruges ikke.\n\nEn f\xE6lles indstillingsfil g\xE6lder kun, "
        "n\xE5r programmet ligger i en mappe, som du ikke selv kan \xE6ndre (fx Programmer). Her "
        "kan hvem som helst have lagt den.\n\nDine indstillinger gemmes i " +
        kUsual + ".";
    system.environment["API_TOKEN"] = "secret";
    const struct {
        std::optional<bool> writable;
        std::string shared; // empty: none; "-": unreadable
        std::string path;
        bool used, noticed;
    } cases[] = {
        {false, "\\\\host@80\\s\\%env(API_TOKEN)%.ini", "\\\\host@80\\s\\secret.ini", true, false},
        {true, "\\\\host@80\\s\\%env(API_TOKEN)%.ini", kUsual, false, true},
        {std::nullopt, "\\\\host@80\\s\\%env(API_TOKEN)%.ini", kUsual, false, true},
        {true, "  ", kUsual, false, false},
        {true, "-", kUsual, false, false},
        {true, "", kUsual, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shared +
                     (c.writable ? *c.writable ? " writable" : " protected" : " unknown"));
        files.files.erase(kShared);
        files.unreadable.clear();
        reporter.messages.clear();
        system.foldersAsked.clear();
        system.folderWritable = c.writable;
        if (c.shared == "-")
            files.unreadable.insert(kShared);
        else if (!c.shared.empty())
            shareTemplate(c.shared);
        files.directories.insert("\\\\host@80\\s");

        const SettingsLocation where = resolve();
        EXPECT_EQ(where.SettingsFilePath, c.path);
        EXPECT_FALSE(where.SettingsPathFailed);
        EXPECT_EQ(where.SharedSettingsUsed, c.used);
        EXPECT_EQ(system.foldersAsked,
                  c.shared.empty() ? std::vector<std::string>{} : std::vector{kProgram});
        ASSERT_EQ(reporter.messages.size(), c.noticed ? 1u : 0u);
        if (c.noticed) {
            EXPECT_EQ(reporter.messages[0].text, kNotice);
            EXPECT_EQ(reporter.messages[0].kind, SettingsMessageKind::Warning);
            EXPECT_TRUE(reporter.modalWhileShown);
        }
    }
    EXPECT_FALSE(modal);
}

TEST(SettingsDirectoryTest, KeepsTheBackslashOnlyAfterADriveOrABackslash) {
    EXPECT_EQ(settingsDirectoryOf("C:\\a.ini"), "C:\\");
    EXPECT_EQ(settingsDirectoryOf("C:\\dir\\a.ini"), "C:\\dir");
    EXPECT_EQ(settingsDirectoryOf("a.ini"), "");
    EXPECT_EQ(settingsDirectoryOf("\\\\a.ini"), "\\\\");
    EXPECT_EQ(settingsDirectoryOf("D:"), "D:");
}

// On a Linux desktop: the XDG base directories, with the same shared redirect.
TEST_F(SettingsPathTest, XdgPlacesTheFileAndTakesTheFirstSharedFileThatAnAdministratorOwns) {
    struct Case {
        const char* what;
        std::map<std::string, std::string> environment;
        std::map<std::string, std::string> sharedFiles; // path -> UsersIniFilePath
        std::optional<bool> sharedFolderWritable;
        const char* path;
        bool shared;
        bool failed;
        size_t messages;
    };
    const Case cases[] = {
        {"default", {{"HOME", "/home/b"}}, {}, false, "/home/b/.config/quiklex/quiklex.ini",
         false, false, 0},
        {"config home", {{"HOME", "/home/b"}, {"XDG_CONFIG_HOME", "/cfg"}}, {}, false,
         "/cfg/quiklex/quiklex.ini", false, false, 0},
        {"relative config home is ignored",
         {{"HOME", "/home/b"}, {"XDG_CONFIG_HOME", "cfg"}}, {}, false,
         "/home/b/.config/quiklex/quiklex.ini", false, false, 0},
        {"no home at all", {}, {}, false, "", false, true, 1},
        {"shared in /etc/xdg, placeholders",
         {{"HOME", "/home/b"}},
         {{"/etc/xdg/quiklex/quiklex.ini", "/srv/%user%-%computer%.ini"}}, false,
         "/srv/bruger1-pc7.ini", true, false, 0},
        {"first of the config dirs, relative path",
         {{"HOME", "/home/b"}, {"XDG_CONFIG_DIRS", "rel:/opt/a:/etc/xdg"}},
         {{"/opt/a/quiklex/quiklex.ini", "%env(TEAM)%.ini"},
          {"/etc/xdg/quiklex/quiklex.ini", "/srv/other.ini"}},
         false, "/home/b/.config/quiklex/blue.ini", true, false, 0},
        {"a shared file the user could have written is set aside",
         {{"HOME", "/home/b"}},
         {{"/etc/xdg/quiklex/quiklex.ini", "/srv/%user%.ini"}}, true,
         "/home/b/.config/quiklex/quiklex.ini", false, false, 1},
        {"redirect into a missing folder",
         {{"HOME", "/home/b"}},
         {{"/etc/xdg/quiklex/quiklex.ini", "/nowhere/x.ini"}}, false, "/nowhere/x.ini", true,
         true, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        files = FakeFileSystem{};
        files.directories = {"/home/b", "/cfg", "/srv"};
        system.environment = c.environment;
        system.environment["TEAM"] = "blue";
        system.folderWritable = c.sharedFolderWritable;
        for (const auto& [file, redirect] : c.sharedFiles)
            files.files[file] = "[Shared Settings]\nUsersIniFilePath=" + redirect + "\n";
        reporter.messages.clear();
        const SettingsLocation where = ResolveXdgSettingsPath(files, system, reporter, modal);
        if (!c.failed) {
            EXPECT_EQ(where.SettingsFilePath, c.path);
        }
        EXPECT_EQ(where.SharedSettingsUsed, c.shared);
        EXPECT_EQ(where.SettingsPathFailed, c.failed);
        EXPECT_EQ(reporter.messages.size(), c.messages);
        EXPECT_FALSE(modal);
    }
}
