// The Linux program's edges: UTF-8 and the code page, and the keys its shortcut takes.
#include <gtest/gtest.h>

#include <QKeySequence>
#include <QString>

#include "qt/controls/FormControls.h"
#include "qt/system/Encoding.h"
#include "qt/system/X11HotKey.h"

using namespace qlx::qt;

TEST(QtEdge, TextCrossesBetweenUtf8AndTheCodePage) {
    struct Case {
        const char* utf8;
        std::string cp1252;
    };
    const Case cases[] = {
        {"hund", "hund"},
        {"r\xC3\xB8" "dgr\xC3\xB8" "d", "r\xF8" "dgr\xF8" "d"},
        {"\xE2\x82\xAC 5", "\x80 5"},           // the euro sign has a byte of its own
        {"a\xE5\xAD\x97" "b", "a\x81" "b"},     // a letter the code page lacks is marked
        {"\xF0\x9F\x98\x80", "\x81"},           // one mark for a character outside the BMP
    };
    for (const Case& c : cases) {
        EXPECT_EQ(toCp1252(QString::fromUtf8(c.utf8)), c.cp1252) << c.utf8;
        if (c.cp1252.find('\x81') == std::string::npos) {
            EXPECT_EQ(cp1252ToUtf8(c.cp1252), c.utf8) << c.utf8;
        }
    }
}

TEST(QtEdge, SettingsFilesAreReadAsUtf8UnlessTheyAreSomethingElse) {
    // UTF-8 becomes the code page; a byte-order mark stays for the settings reader; bytes that
    // are no UTF-8 (an older file in the code page) stay as they are.
    EXPECT_EQ(fileBytesToCp1252("[S]\nA=bl\xC3\xA5\n"), "[S]\nA=bl\xE5\n");
    EXPECT_EQ(fileBytesToCp1252("\xEF\xBB\xBF" "A=\xC3\xA5"), "\xEF\xBB\xBF" "A=\xC3\xA5");
    EXPECT_EQ(fileBytesToCp1252(std::string("\xFF\xFE" "A\0", 4)), std::string("\xFF\xFE" "A\0", 4));
    EXPECT_EQ(fileBytesToCp1252("A=bl\xE5"), "A=bl\xE5");
}

TEST(QtEdge, ShortcutKeysMapBothWays) {
    struct Case {
        int qtKey;
        uint32_t virtualKey;
        uint32_t keysym;
    };
    const Case cases[] = {
        {Qt::Key_C, 'C', 'c'},           {Qt::Key_7, '7', '7'},
        {Qt::Key_F1, 0x70, 0xFFBE},      {Qt::Key_F12, 0x7B, 0xFFC9},
        {Qt::Key_Space, 0x20, ' '},      {Qt::Key_Insert, 0x2D, 0xFF63},
        {Qt::Key_PageDown, 0x22, 0xFF56}, {Qt::Key_Left, 0x25, 0xFF51},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(virtualKeyOfQtKey(c.qtKey), c.virtualKey) << c.qtKey;
        EXPECT_EQ(keysymOfVirtualKey(c.virtualKey), c.keysym) << c.virtualKey;
    }
    EXPECT_EQ(virtualKeyOfQtKey(Qt::Key_Shift), 0); // a modifier alone is no key
    EXPECT_EQ(keysymOfVirtualKey(0xBA), 0u);       // nor is a key this program cannot name
}
