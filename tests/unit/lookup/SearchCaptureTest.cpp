// Looking words up: the search text pipeline, the first-line rule for pokes, the bounded
// look at long texts, each way in and its rule while a dialog is open, and the shortcut's
// registration values and problem message.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeFormMainSteps.h"
#include "app/FormMainCore.h"
#include "lookup/DdeNames.h"
#include "lookup/LookupHotKey.h"
#include "lookup/SearchCapture.h"
#include "lookup/SearchText.h"

using namespace qlx;

namespace {
const std::string kLookup = "http://www.lemmary.dk/#ordbog/";
const std::string kRoedgroed = "r\xF8" "dgr\xF8" "d";

struct RecordingShell : ShellOpenPort {
    std::vector<std::string>& calls;
    explicit RecordingShell(std::vector<std::string>& c) : calls(c) {}
    int32_t openAddress(const std::string& address) override {
        calls.push_back("open " + address);
        return 42;
    }
};

struct NoMessages : MessageWinPort {
    int32_t MessageWin(DialogOwner, const std::string& text, const std::string&, TMsgDlgType,
                       int32_t) override {
        ADD_FAILURE() << "unexpected message " << text;
        return kResultOk;
    }
};

struct RecordingDrag : TextDragPort {
    std::vector<std::string>& calls;
    explicit RecordingDrag(std::vector<std::string>& c) : calls(c) {}
    void textDragOver() override { calls.push_back("drag over"); }
    void textDragEnded() override { calls.push_back("drag ended"); }
};

// The main window's side of the ways in, over the recording port and the main window's logic.
struct MainWindow : SearchCapturePort {
    FakeFormMainPort& port;
    FormMainCore& form;
    MainWindow(FakeFormMainPort& p, FormMainCore& f) : port(p), form(f) {}
    void restoreApplication() override { port.restoreApplication(); }
    void bringAllToFront() override { port.bringAllToFront(); }
    void showPanel() override { form.ShowPanel(false); }
    bool hasReceivedMessages() override { return port.hasReceivedMessages(); }
    void showNewMessages() override { port.showNewMessages(); }
};

struct Capture : ::testing::Test {
    FakeFormMainPort port;
    ProgramState state;
    FormMainCore form{state, port, port, port};
    MainWindow window{port, form};
    RecordingShell shell{port.calls};
    NoMessages messages;
    RecordingDrag drag{port.calls};
    SearchCapture capture{state, window, shell, messages, drag};

    std::vector<std::string> opened() const {
        std::vector<std::string> out;
        for (const std::string& c : port.calls)
            if (c.rfind("open ", 0) == 0) out.push_back(c.substr(5));
        return out;
    }
    void SetUp() override { state.Templates = PageTemplates::defaults(); }
};
} // namespace

TEST(SearchText, CleansTrimsAndCuts) {
    EXPECT_EQ(searchTextOf("  " + kRoedgroed + " "), kRoedgroed);
    EXPECT_EQ(searchTextOf("foo\r\nbar"), "foobar");
    EXPECT_EQ(searchTextOf("\tto  ord\x1F"), "to  ord");
    EXPECT_EQ(searchTextOf("     "), "");
    EXPECT_EQ(searchTextOf(""), "");

    const std::string sixty(60, 'a');
    EXPECT_EQ(searchTextOf(sixty), std::string(50, 'a'));
    // Trimming comes before the cut: leading spaces do not use up the 50.
    EXPECT_EQ(searchTextOf("          " + sixty), std::string(50, 'a'));
    // Control bytes removed before the cut do not count either.
    EXPECT_EQ(searchTextOf("\r\n" + std::string(25, 'a') + "\r\n" + std::string(30, 'b')),
              std::string(25, 'a') + std::string(25, 'b'));
    // The cut can end on a space that was inside the text; trailing spaces of the whole
    // text are trimmed first.
    EXPECT_EQ(searchTextOf(std::string(49, 'a') + " b"), std::string(49, 'a') + " ");
    EXPECT_EQ(searchTextOf(std::string(49, 'a') + " \r\n  \t"), std::string(49, 'a'));
}

TEST(SearchText, CleanRemovesOnlyBytes1To31) {
    std::string text = std::string("a\x01" "b\x1F" "c ", 6) + std::string(1, '\0') + "\x7F\x81";
    CleanSearchText(text);
    EXPECT_EQ(text, std::string("abc ", 4) + std::string(1, '\0') + "\x7F\x81");
}

TEST(SearchText, FirstLine) {
    EXPECT_EQ(firstLine(std::string_view("foo\r\nbar")), "foo");
    EXPECT_EQ(firstLine(std::string_view("foo\nbar")), "foo");
    EXPECT_EQ(firstLine(std::string_view("foo\rbar")), "foo");
    EXPECT_EQ(firstLine(std::string_view("\nfoo")), "");
    EXPECT_EQ(firstLine(std::u16string_view(u"ab\ncd")), u"ab");
}

// Only the deciding beginning of a text is looked at, and cutting a text there never
// changes its search text.
TEST(SearchText, ExtentIsBoundedAndDecidesTheResult) {
    const std::string huge = "  " + std::string(1 << 20, 'x');
    EXPECT_LE(searchTextExtent(std::string_view(huge)), 2u + kSearchTextMax + 1);
    EXPECT_EQ(searchTextOf(huge), std::string(50, 'x'));

    const std::vector<std::string> cases = {
        "", "   ", "abc", std::string(49, 'a') + " b", std::string(49, 'a') + "    ",
        std::string(49, 'a') + std::string(1000, ' ') + "z", "\r\n" + std::string(60, 'q'),
        std::string(50, 'a') + "\x01\x02 \x03", std::string(1000, ' ') + "w " + std::string(60, '\n'),
    };
    for (const std::string& text : cases) {
        const size_t extent = searchTextExtent(std::string_view(text));
        EXPECT_EQ(searchTextOf(text.substr(0, extent)), searchTextOf(text)) << text;
    }
}

TEST(SearchText, WideExtentCountsASurrogatePairAsOneCharacter) {
    // 60 pairs: one byte each once converted, so 50 pairs and the next character count.
    std::u16string pairs;
    for (int i = 0; i < 60; ++i) pairs += u"\U0001F600";
    EXPECT_EQ(searchTextExtent(std::u16string_view(pairs)), 101u);
    const std::u16string text = u"  ab\r\ncd  ";
    EXPECT_EQ(searchTextExtent(std::u16string_view(text)), text.size());
}

TEST_F(Capture, ClipboardTextIsCleanedStoredAndLookedUp) {
    capture.lookUp("  " + kRoedgroed + " ");
    EXPECT_EQ(state.LastSearchText, kRoedgroed);
    EXPECT_EQ(opened(), std::vector<std::string>{kLookup + "r%C3%B8dgr%C3%B8d/"});

    capture.lookUp(" \r\n ");
    EXPECT_EQ(state.LastSearchText, "");
    EXPECT_EQ(opened().back(), kLookup);

    // A letter Windows-1252 lacks arrives as a byte outside the letter table.
    capture.lookUp("a\x81" "b");
    EXPECT_EQ(opened().back(), kLookup + "a?b*/");

    state.UseChromeFrame = true;
    capture.lookUp("hus");
    EXPECT_EQ(opened().back(), "gcf:http://www.lemmary.dk/ordbog/hus/");
}

TEST_F(Capture, PokeUsesTheFirstLineAndComesForward) {
    capture.DdeSearchTextPokeData("foo\r\nbar");
    EXPECT_EQ(port.calls, (std::vector<std::string>{"restore", "front", "open " + kLookup + "foo/"}));
    EXPECT_EQ(state.LastSearchText, "foo");
}

TEST_F(Capture, WhileADialogIsOpen) {
    state.ModalDialogOpen = true;
    state.LastSearchText = "old";
    // A poke only brings the program forward; its text is dropped.
    capture.DdeSearchTextPokeData("foo");
    EXPECT_EQ(port.calls, (std::vector<std::string>{"restore", "front"}));
    EXPECT_EQ(state.LastSearchText, "old");

    // The shortcut only comes to the front.
    port.calls.clear();
    form.HotKey();
    EXPECT_FALSE(port.called("lookup"));
    EXPECT_TRUE(port.called("front"));

    // A drop is looked up all the same.
    port.calls.clear();
    capture.TextDropTargetDrop("hus");
    EXPECT_EQ(opened(), std::vector<std::string>{kLookup + "hus/"});
}

TEST_F(Capture, DropShowsThePanelEndsTheDragThenOpensAndShowsNewMessages) {
    capture.TextDropTargetDragOver();
    capture.TextDropTargetDragOver();
    capture.TextDropTargetDragLeave();
    EXPECT_EQ(port.calls, (std::vector<std::string>{"drag over", "drag over", "drag ended"}));

    port.calls.clear();
    port.messagesReceived = true;
    capture.TextDropTargetDrop(" bil \n");
    EXPECT_EQ(port.calls, (std::vector<std::string>{"restore", "front", "drag ended",
                                                    "open " + kLookup + "bil/", "new messages"}));
    EXPECT_EQ(state.LastSearchText, "bil");

    port.calls.clear();
    state.NewMessagesDone = true;
    capture.TextDropTargetDrop("bil");
    EXPECT_FALSE(port.called("new messages"));
}

TEST(LookupHotKey, ModifiersAndKeyFromTheShortcut) {
    EXPECT_EQ(lookupHotKeyRegistration(0x6043), (HotKeyRegistration{kModControl | kModShift, 'C'}));
    EXPECT_EQ(lookupHotKeyRegistration(0x8000 | 0x70), (HotKeyRegistration{kModAlt, 0x70}));
    EXPECT_EQ(lookupHotKeyRegistration(0xE000 | 0x41),
              (HotKeyRegistration{kModAlt | kModControl | kModShift, 0x41}));
    EXPECT_EQ(lookupHotKeyRegistration(0x2000 | 0x1FFF), (HotKeyRegistration{kModShift, 0x1FFF}));
    EXPECT_EQ(lookupHotKeyRegistration(0), (HotKeyRegistration{0, 0}));
}

TEST(LookupHotKey, ProblemTextWithAndWithoutHint) {
    const std::string plain = "Windows n\xE6" "gtede at oprette tastaturgenvejen.\nDet skyldes "
                              "normalt at genvejen allerede anvendes\naf et andet \xE5" "bent program.";
    EXPECT_EQ(hotKeyProblemText(false), plain);
    EXPECT_EQ(hotKeyProblemText(true),
              plain + "\n\nEn genvej kan v\xE6" "lges i indstillingsvinduet.");
}

TEST(DdeNames, ServiceIsTheProgramFilesNameUpToItsFirstDot) {
    EXPECT_EQ(ddeServiceName(std::string_view("C:\\Programmer\\Quiklex\\quiklex.exe")), "quiklex");
    EXPECT_EQ(ddeServiceName(std::string_view("C:\\a.b\\my.old.exe")), "my");
    EXPECT_EQ(ddeServiceName(std::string_view("/opt/q/Quiklex")), "Quiklex");
    EXPECT_EQ(ddeServiceName(std::string_view("quiklex.exe")), "quiklex");
    EXPECT_EQ(ddeServiceName(std::u16string_view(u"C:\\x\\\u5B57.exe")), u"\u5B57");
}
