// The INI text: what survives a read and write, which line a lookup finds, value types.
#include <gtest/gtest.h>

#include "settings/IniFile.h"

using qlx::IniFile;

TEST(IniFileTest, ReadsAnyLineEndAndStopsAtZeroByte) {
    const std::string text = std::string("[A]\rk1=1\nk2=2\r\nk3=3") + '\0' + "\r\nk4=4";
    const IniFile ini = IniFile::parse(text);
    EXPECT_EQ(ini.value("A", "k1"), "1");
    EXPECT_EQ(ini.value("A", "k2"), "2");
    EXPECT_EQ(ini.value("A", "k3"), "3");
    EXPECT_FALSE(ini.value("A", "k4"));
}

TEST(IniFileTest, DropsSkippedLinesAndWritesSectionsWithCrLfAndEmptyLine) {
    const IniFile ini = IniFile::parse("before=1\n[A]\n;comment\n\nx=1\nno equals\n[B]\r\n");
    EXPECT_EQ(ini.text(), "[A]\r\nx=1\r\nno equals\r\n\r\n[B]\r\n\r\n");
}

TEST(IniFileTest, KeysAndValuesAreNotTrimmedAndNamesIgnoreCase) {
    const IniFile ini = IniFile::parse("[ Sec ]\nkey = value \nPlain=v\n");
    EXPECT_EQ(ini.value(" sec ", "key "), " value ");
    EXPECT_FALSE(ini.value("Sec", "key"));
    EXPECT_FALSE(ini.value(" Sec ", "key"));
    EXPECT_EQ(ini.value(" SEC ", "PLAIN"), "v");
}

TEST(IniFileTest, FirstOccurrenceIsReadReplacedAndErased) {
    IniFile ini = IniFile::parse("[S]\nk=1\nK=2\n[s]\nk=3\n");
    EXPECT_EQ(ini.value("S", "k"), "1");
    ini.writeString("S", "k", "9");
    EXPECT_EQ(ini.text(), "[S]\r\nk=9\r\nK=2\r\n\r\n[s]\r\nk=3\r\n\r\n");
    ini.eraseSection("S");
    EXPECT_EQ(ini.text(), "[s]\r\nk=3\r\n\r\n");
}

TEST(IniFileTest, WritingAppendsKeysAndSectionsAtTheEnd) {
    IniFile ini = IniFile::parse("[A]\nx=1\n[B]\ny=2\n");
    ini.writeString("A", "z", "3");
    ini.writeInteger("C", "n", -5);
    ini.writeBool("C", "b", true);
    EXPECT_EQ(ini.text(), "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n\r\n[C]\r\nn=-5\r\nb=1\r\n\r\n");
}

TEST(IniFileTest, LineBreaksInWrittenValuesCannotAddKeysOrSections) {
    IniFile ini;
    ini.writeString("Settings", "LookupModern", "http://x/\r\n[Settings]\r\nHotkey=Alt+X");
    const IniFile again = IniFile::parse(ini.text());
    EXPECT_EQ(again.value("Settings", "LookupModern"), "http://x/[Settings]Hotkey=Alt+X");
    EXPECT_FALSE(again.value("Settings", "Hotkey"));
}

TEST(IniFileTest, IntegersAndTruthValuesFallBackToTheirDefaults) {
    const IniFile ini = IniFile::parse(
        "[S]\nhex=0x10\ndollar=$ff\nspaced=  12\nbad=12x\nempty=\nyes=yes\ntwo=2\nzero=0\n");
    EXPECT_EQ(ini.readInteger("S", "hex", -1), 16);
    EXPECT_EQ(ini.readInteger("S", "dollar", -1), 255);
    EXPECT_EQ(ini.readInteger("S", "spaced", -1), 12);
    EXPECT_EQ(ini.readInteger("S", "bad", -1), -1);
    EXPECT_EQ(ini.readInteger("S", "empty", -1), -1);
    EXPECT_EQ(ini.readInteger("S", "missing", -1), -1);
    EXPECT_TRUE(ini.readBool("S", "yes", true));
    EXPECT_FALSE(ini.readBool("S", "yes", false));
    EXPECT_TRUE(ini.readBool("S", "two", false));
    EXPECT_FALSE(ini.readBool("S", "zero", true));
}
