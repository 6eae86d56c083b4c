// Loading, saving and backing up the settings file, and replacing it safely when a write
// fails part-way.
#include <gtest/gtest.h>

#include "FakeSettingsPorts.h"
#include "settings/AtomicFile.h"
#include "settings/FormMainSettings.h"
#include "settings/SettingsStore.h"

using namespace qlx;

namespace {

const std::string kPath = "C:\\Data\\quiklex\\bruger1.ini";
const std::string kBackup = "C:\\Data\\quiklex\\bruger1.~ini";
const std::string kSaveFailed =
    "Indstillinger kunne ikke gemmes i filen \n\nC:\\Data\\quiklex\\bruger1.ini\n\nUnders\xF8g om "
    "filkataloget eksisterer og\nom du har ret til at skrive i kataloget.";

class SettingsStoreTest : public ::testing::Test {
  protected:
    FakeFileSystem files;
    FakeReporter reporter;
    SettingsStore store{files, reporter};
    SettingsValues values;

    void SetUp() override {
        store.SettingsFilePath = kPath;
        values.LookupModern = "https://built.in/{0}";
    }
    SettingsValues load(const std::string& text) {
        files.files[kPath] = text;
        SettingsValues loaded = values;
        store.LoadSettings(loaded);
        return loaded;
    }
};

} // namespace

TEST_F(SettingsStoreTest, MissingFileKeepsEveryDefaultAndReportsNothing) {
    store.LoadSettings(values);
    EXPECT_TRUE(values.SettingsFileMissing);
    EXPECT_EQ(values.Hotkey, kDefaultShortcut);
    EXPECT_TRUE(values.SysTrayIcon);
    EXPECT_TRUE(values.AlwaysOnTop);
    EXPECT_FALSE(values.MinimizeStart);
    EXPECT_EQ(values.LookupModern, "https://built.in/{0}");
    EXPECT_FALSE(values.Position.FromTop);
    EXPECT_FALSE(values.ShownTimestamps);
    EXPECT_EQ(values.StartDelayMs, 0u);
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(SettingsStoreTest, LoadsEveryKey) {
    const SettingsValues v = load(
        "[MainForm]\r\nFromTop=0x10\r\nFromBottom=20\r\nFromLeft=abc\r\nFromRight=-2147483648\r\n"
        "[Settings]\r\nPrgVersion=0.5.2\r\nMinimizeStart=1\r\nSysTrayIcon=0\r\nHotkey=ctrl+alt+"
        "q\r\n"
        "AlwaysOnTop=0\r\nUseChromeFrame=7\r\nLookupModern=\r\nLookupGCF=gcf:http://x.lemmary.dk/\r\n"
        "[Various]\r\nStartDelay=3\r\n");
    EXPECT_FALSE(v.SettingsFileMissing);
    EXPECT_EQ(v.Position.FromTop, 16);
    EXPECT_EQ(v.Position.FromBottom, 20);
    EXPECT_FALSE(v.Position.FromLeft);
    EXPECT_FALSE(v.Position.FromRight);
    EXPECT_EQ(v.StoredProgramVersion, "0.5.2");
    EXPECT_TRUE(v.MinimizeStart);
    EXPECT_FALSE(v.SysTrayIcon);
    EXPECT_EQ(v.Hotkey, kShortcutCtrl | kShortcutAlt | 'Q');
    EXPECT_FALSE(v.AlwaysOnTop);
    EXPECT_FALSE(v.OnTopActive);
    EXPECT_TRUE(v.UseChromeFrame);
    EXPECT_EQ(v.LookupModern, "https://built.in/{0}");
    EXPECT_EQ(v.LookupGCF, "gcf:http://x.lemmary.dk/");
    EXPECT_EQ(v.StartDelayMs, 3000u);
}

TEST_F(SettingsStoreTest, TemplatesElsewhereThanOnTheDictionarysDomainAreNotTaken) {
    values.LookupGCF = "gcf:http://www.lemmary.dk/ordbog/";
    values.ProgramPageModern = "http://www.lemmary.dk/p";
    values.ProgramPageGCF = "gcf:http://www.lemmary.dk/p";
    const SettingsValues v = load("[Settings]\r\n"
                                  "LookupModern=http://evil.example/#ordbog/\r\n"
                                  "LookupGCF=gcf:http://www.lemmary.dk@evil.example/\r\n"
                                  "ProgramPageModern=http://www.lemmary.dk/\" --x \"\r\n"
                                  "ProgramPageGCF=gcf:https://info.lemmary.dk/p\r\n");
    EXPECT_EQ(v.LookupModern, "https://built.in/{0}");
    EXPECT_EQ(v.LookupGCF, "gcf:http://www.lemmary.dk/ordbog/");
    EXPECT_EQ(v.ProgramPageModern, "http://www.lemmary.dk/p");
    EXPECT_EQ(v.ProgramPageGCF, "gcf:https://info.lemmary.dk/p");
}

TEST_F(SettingsStoreTest, HotkeyNumbersEmptyAndUnknownTextsGiveTheDefault) {
    for (const char* text : {"Hotkey=24643", "Hotkey=", "Hotkey=Ctrl+Nothing", "Hotkey=0"}) {
        values.Hotkey = 0;
        EXPECT_EQ(load(std::string("[Settings]\r\n") + text + "\r\n").Hotkey, kDefaultShortcut)
            << text;
    }
}

// The file's shortcut is held to what the settings window would let a user choose.
TEST_F(SettingsStoreTest, HotkeyFromTheFileIsCheckedAsTheSettingsWindowWould) {
    const struct {
        const char* text;
        uint16_t shortcut;
    } cases[] = {
        {"Q", 0x6000 | 'Q'},          {"Shift+Q", 0x6000 | 'Q'},     {"F9", 0x6000 | 0x78},
        {"Ctrl+V", kDefaultShortcut}, {"Ctrl+A", kDefaultShortcut},  {"Ctrl+Ins", kDefaultShortcut},
        {"Enter", kDefaultShortcut},  {"Ctrl+Esc", kDefaultShortcut}, {"Ctrl+Shift+V", 0x6000 | 'V'},
        {"Ctrl+Alt+V", 0xC000 | 'V'}, {"Alt+Q", 0x8000 | 'Q'},       {"Ctrl+Q", 0x4000 | 'Q'},
    };
    for (const auto& c : cases)
        EXPECT_EQ(load(std::string("[Settings]\r\nHotkey=") + c.text + "\r\n").Hotkey, c.shortcut)
            << c.text;
}

TEST_F(SettingsStoreTest, TruthValuesAndStartDelayFallBackOrAreBounded) {
    SettingsValues v = load("[Settings]\r\nAlwaysOnTop=yes\r\n[Various]\r\nStartDelay=x\r\n");
    EXPECT_TRUE(v.AlwaysOnTop);
    EXPECT_EQ(v.StartDelayMs, 0u);
    EXPECT_TRUE(load("[Settings]\r\nAlwaysOnTop=2\r\n").AlwaysOnTop);
    EXPECT_EQ(load("[Various]\r\nStartDelay=-5\r\n").StartDelayMs, 0u);
    EXPECT_EQ(load("[Various]\r\nStartDelay=99999999\r\n").StartDelayMs, 3600u * 1000u);
}

TEST_F(SettingsStoreTest, ShownMessagesTakeTrimmedValuesOfTheFirstLineOfEachKey) {
    const SettingsValues v = load("[ShownMessages]\r\n m1 = 2011-01 \r\nM1=dup\r\nx=b\r\n"
                                  "=nokey\r\n  =blank\r\nm3=\r\nnoequals\r\n");
    ASSERT_TRUE(v.ShownTimestamps);
    EXPECT_EQ(*v.ShownTimestamps, (std::vector<std::string>{"2011-01", "2011-01", "b"}));
    EXPECT_FALSE(load("[ShownMessages]\r\n").ShownTimestamps);
    ASSERT_TRUE(load("[ShownMessages]\r\nm1=\r\n").ShownTimestamps);
}

// Looking each key up in the whole section again made a file of this size take minutes.
TEST_F(SettingsStoreTest, AHugeShownMessagesSectionLoadsInOnePass) {
    std::string text = "[ShownMessages]\r\n";
    for (int i = 0; i < 50000; ++i)
        text += "m" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
    const SettingsValues v = load(text + "M7=dup\r\n");
    ASSERT_TRUE(v.ShownTimestamps);
    ASSERT_EQ(v.ShownTimestamps->size(), 50001u);
    EXPECT_EQ(v.ShownTimestamps->at(49999), "49999");
    EXPECT_EQ(v.ShownTimestamps->back(), "7");
}

TEST_F(SettingsStoreTest, UnreadableFileIsReportedAndKeepsDefaults) {
    files.unreadable.insert(kPath);
    values.Hotkey = 0x4041;
    store.LoadSettings(values);
    EXPECT_FALSE(values.SettingsFileMissing);
    EXPECT_EQ(values.Hotkey, 0x4041);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text,
              "Fejl under indl\xE6sning af dine indstillinger fra filen:  " + kPath);
    EXPECT_EQ(reporter.messages[0].caption, "Fejl");
    EXPECT_EQ(reporter.messages[0].kind, SettingsMessageKind::Error);
}

TEST_F(SettingsStoreTest, SaveRewritesItsSectionsAtTheEndAndKeepsOthers) {
    files.files[kPath] = "lost=1\r\n[Settings]\r\n;comment\r\nExtra=1\r\nHotkey=1\r\n"
                         "[MainForm]\r\nFromTop=5\r\n[Various]\r\nStartDelay=3\r\n;gone\r\n"
                         "[ShownMessages]\r\nm1=a\r\n";
    values.Hotkey = 0x4000 | 0x8000 | 'Q';
    values.Position.FromBottom = 36;
    values.Position.FromLeft = 10;
    values.ProgramPageModern = "p1";
    values.ProgramPageGCF = "p2";
    values.LookupGCF = "l2";
    ASSERT_TRUE(store.SaveSettings(values));
    EXPECT_EQ(files.files[kPath],
              "[Various]\r\nStartDelay=3\r\n\r\n[ShownMessages]\r\nm1=a\r\n\r\n"
              "[MainForm]\r\nFromTop=\r\nFromBottom=36\r\nFromLeft=10\r\nFromRight=\r\n\r\n"
              "[Settings]\r\nPrgVersion=0.6.0\r\nMinimizeStart=0\r\nSysTrayIcon=1\r\n"
              "Hotkey=Ctrl+Alt+Q\r\nAlwaysOnTop=1\r\nUseChromeFrame=0\r\nProgramPageModern=p1\r\n"
              "ProgramPageGCF=p2\r\nLookupModern=https://built.in/{0}\r\nLookupGCF=l2\r\n\r\n");
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(SettingsStoreTest, SavedValuesLoadBackAndNoShortcutIsWrittenEmpty) {
    values.Hotkey = 0;
    values.MinimizeStart = true;
    values.Position.FromTop = 0;
    values.Position.FromRight = 30;
    ASSERT_TRUE(store.SaveSettings(values));
    EXPECT_NE(files.files[kPath].find("Hotkey=\r\n"), std::string::npos);
    SettingsValues loaded;
    store.LoadSettings(loaded);
    EXPECT_EQ(loaded.Hotkey, kDefaultShortcut);
    EXPECT_TRUE(loaded.MinimizeStart);
    EXPECT_EQ(loaded.Position.FromTop, 0);
    EXPECT_FALSE(loaded.Position.FromBottom);
    EXPECT_FALSE(loaded.Position.FromLeft);
    EXPECT_EQ(loaded.Position.FromRight, 30);
    EXPECT_EQ(loaded.StoredProgramVersion, "0.6.0");
}

TEST_F(SettingsStoreTest, DesktopKeysAreReadAndWrittenOnlyWhereTheShellHasThem) {
    const std::string file = "[Settings]\r\nLookupSelection=0\r\nWaylandNoticeShown=1\r\n";
    // The Windows program has neither: it reads nothing and its saves write nothing new.
    SettingsValues windows = load(file);
    EXPECT_FALSE(windows.LookupSelection);
    EXPECT_FALSE(windows.DesktopLimitsNoticed);
    ASSERT_TRUE(store.SaveSettings(windows));
    EXPECT_EQ(files.files[kPath].find("LookupSelection"), std::string::npos);
    EXPECT_EQ(files.files[kPath].find("WaylandNotice"), std::string::npos);

    // The Linux program's defaults, then what the file says, kept through a save.
    values.LookupSelection = true;
    values.DesktopLimitsNoticed = false;
    EXPECT_EQ(load("").LookupSelection, true);
    SettingsValues linux = load(file);
    EXPECT_EQ(linux.LookupSelection, false);
    EXPECT_EQ(linux.DesktopLimitsNoticed, true);
    ASSERT_TRUE(store.SaveSettings(linux));
    EXPECT_NE(
        files.files[kPath].find("LookupGCF=\r\nLookupSelection=0\r\nWaylandNoticeShown=1\r\n"),
        std::string::npos)
        << files.files[kPath];
}

TEST_F(SettingsStoreTest, FirstSaveOfARunBacksUpOnceAndNotWithoutAFile) {
    files.files[kPath] = "[Various]\r\nStartDelay=1\r\n";
    ASSERT_TRUE(store.SaveSettings(values));
    EXPECT_EQ(files.files[kBackup], "[Various]\r\nStartDelay=1\r\n");
    files.files[kBackup] = "old";
    ASSERT_TRUE(store.SaveSettings(values));
    EXPECT_EQ(files.files[kBackup], "old");

    FakeFileSystem empty;
    SettingsStore fresh(empty, reporter);
    fresh.SettingsFilePath = kPath;
    ASSERT_TRUE(fresh.SaveSettings(values));
    EXPECT_FALSE(empty.files.count(kBackup));
    EXPECT_TRUE(empty.files.count(kPath));
}

TEST_F(SettingsStoreTest, FailedBackupIsReportedAndTheSaveGoesOn) {
    files.files[kPath] = "[Various]\r\nx=1\r\n";
    files.failCreateAt = 1;
    EXPECT_TRUE(store.SaveSettings(values));
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, "Fejl ved sikkerhedskopiering til filen \n" + kBackup);
    EXPECT_FALSE(files.files.count(kBackup));
}

TEST_F(SettingsStoreTest, SaveOnExitSavesOnceAndSwallowsFailures) {
    files.failCreateAt = 1;
    store.SaveOnExit(values);
    EXPECT_EQ(reporter.messages.size(), 1u);
    files.failCreateAt = 0;
    store.SaveOnExit(values);
    EXPECT_FALSE(files.files.count(kPath));
    EXPECT_EQ(files.creates, 1);
}

// A failure at any step of the write leaves the old file whole and no temporary behind.
TEST_F(SettingsStoreTest, FailureAtAnyWriteStepKeepsTheOldFile) {
    const std::string old = "[Settings]\r\nHotkey=Alt+X\r\n[Keep]\r\na=1\r\n";
    for (int step = 0; step < 5; ++step) {
        FakeFileSystem disk;
        disk.files[kPath] = old;
        FakeReporter rep;
        SettingsStore s(disk, rep);
        s.SettingsFilePath = kPath;
        s.BackupSettingsFileOnce();
        disk.files.erase(kBackup);
        int* at[] = {&disk.failCreateAt, &disk.failWriteAt, &disk.failFlushAt, &disk.failCloseAt,
                     &disk.failReplaceAt};
        const int done[] = {disk.creates, disk.writes, disk.flushes, disk.closes, disk.replaces};
        *at[step] = done[step] + 1;
        EXPECT_FALSE(s.SaveSettings(values)) << step;
        EXPECT_EQ(disk.files[kPath], old) << step;
        EXPECT_FALSE(disk.files.count(temporaryFileName(kPath))) << step;
        ASSERT_EQ(rep.messages.size(), 1u) << step;
        EXPECT_EQ(rep.messages[0].text, kSaveFailed);
    }
}

TEST_F(SettingsStoreTest, FileThatCannotBeReadIsNotOverwrittenBySave) {
    files.unreadable.insert(kPath);
    EXPECT_FALSE(store.SaveSettings(values));
    EXPECT_FALSE(files.files.count(kPath));
    EXPECT_EQ(reporter.messages.back().text, kSaveFailed);

    // An oversized file counts as unreadable: reported at load, left alone by a save.
    files.unreadable.clear();
    const std::string huge = "[Keep]\r\n" + std::string(kMaxSettingsFileBytes, 'x');
    files.files[kPath] = huge;
    SettingsValues loaded;
    store.LoadSettings(loaded);
    EXPECT_EQ(reporter.messages.back().caption, "Fejl");
    EXPECT_FALSE(store.SaveSettings(values));
    EXPECT_EQ(files.files[kPath], huge);
}

// A file saved as UTF-16 by an editor or a tool is read, and written back as UTF-16 with every
// key kept; one that is not text the program can keep is reported and never written over.
TEST_F(SettingsStoreTest, UnicodeFilesAreReadAndWrittenBackInTheirEncoding) {
    std::string utf16 = "\xFF\xFE";
    for (char c : std::string("[Settings]\r\nHotkey=Ctrl+Alt+Q\r\n[Mine]\r\nKeep=\xE6\r\n")) {
        utf16 += c;
        utf16 += '\0';
    }
    const SettingsValues loaded = load(utf16);
    EXPECT_EQ(loaded.Hotkey, 0x4000 | 0x8000 | 'Q');
    ASSERT_TRUE(store.SaveSettings(loaded));
    const std::string saved = files.files[kPath];
    ASSERT_EQ(saved.substr(0, 2), "\xFF\xFE");
    std::string narrow;
    for (size_t i = 2; i + 1 < saved.size(); i += 2) narrow += saved[i];
    EXPECT_NE(narrow.find("[Mine]\r\nKeep=\xE6\r\n"), std::string::npos);
    EXPECT_NE(narrow.find("Hotkey=Ctrl+Alt+Q\r\n"), std::string::npos);
    EXPECT_TRUE(reporter.messages.empty());

    const std::string notText("\xFF\xFE[\0S\0]\0\x51\x01", 10); // a letter outside the code page
    load(notText);
    EXPECT_EQ(reporter.messages.back().caption, "Fejl");
    EXPECT_FALSE(store.SaveSettings(values));
    EXPECT_EQ(files.files[kPath], notText);
}

TEST_F(SettingsStoreTest, RewriteSectionReplacesOnlyThatSectionAndCanFailSafely) {
    files.files[kPath] = "[ShownMessages]\r\nm1=a\r\nm2=b\r\n[Settings]\r\nHotkey=Alt+X\r\n";
    ASSERT_TRUE(store.rewriteSection("ShownMessages", {{"m1", "b"}}));
    EXPECT_EQ(files.files[kPath],
              "[Settings]\r\nHotkey=Alt+X\r\n\r\n[ShownMessages]\r\nm1=b\r\n\r\n");
    ASSERT_TRUE(store.rewriteSection("ShownMessages", {}));
    EXPECT_EQ(files.files[kPath], "[Settings]\r\nHotkey=Alt+X\r\n\r\n");

    const std::string before = files.files[kPath];
    files.failWriteAt = files.writes + 1;
    EXPECT_FALSE(store.rewriteSection("ShownMessages", {{"m1", "c"}}));
    EXPECT_EQ(files.files[kPath], before);
    EXPECT_TRUE(reporter.messages.empty());
}

TEST(BackupFileNameTest, ReplacesTheExtensionsDot) {
    EXPECT_EQ(makeBackupFileName("C:\\Data\\quiklex\\bruger1.ini"),
              "C:\\Data\\quiklex\\bruger1.~ini");
    EXPECT_EQ(makeBackupFileName("C:\\my.dir\\settings"), "C:\\my.dir\\settings.~");
    EXPECT_EQ(makeBackupFileName("a.b.c"), "a.b.~c");
    EXPECT_EQ(makeBackupFileName("D:x."), "D:x.~");
}

TEST(FormMainSettingsTest, LoadedValuesReachTheMainWindowAndComeBackForTheSave) {
    FakeFileSystem files;
    FakeReporter reporter;
    files.files["s.ini"] = "[Settings]\r\nAlwaysOnTop=0\r\nHotkey=Alt+F2\r\nPrgVersion=0.5\r\n"
                           "LookupModern=https://ordbog.lemmary.dk/#ordbog/\r\n";
    SettingsStore store(files, reporter);
    store.SettingsFilePath = "s.ini";

    ProgramState form;
    form.SysTrayIcon = false;
    form.Templates = PageTemplates::defaults();

    SettingsValues values;
    settingsFromFormMain(form, values);
    store.LoadSettings(values);
    settingsToFormMain(values, form);
    EXPECT_FALSE(form.SysTrayIcon);
    EXPECT_FALSE(form.AlwaysOnTop);
    EXPECT_FALSE(form.OnTopActive);
    EXPECT_EQ(form.Hotkey, kShortcutAlt | 0x71);
    EXPECT_EQ(form.StoredProgramVersion, "0.5");
    EXPECT_FALSE(form.SettingsFileMissing);
    EXPECT_EQ(form.Templates.LookupModern, "https://ordbog.lemmary.dk/#ordbog/");
    EXPECT_EQ(form.Templates.ProgramPageModern, PageTemplates::defaults().ProgramPageModern);

    SettingsValues toSave;
    settingsFromFormMain(form, toSave);
    ASSERT_TRUE(store.SaveSettings(toSave));
    EXPECT_NE(files.files["s.ini"].find("SysTrayIcon=0\r\nHotkey=Alt+F2\r\nAlwaysOnTop=0"),
              std::string::npos);
}
