// Opening pages through the shell: the web-address check, the failure messages and the main
// window's page operations.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "lookup/OpenWebPage.h"
#include "lookup/PageAddressCheck.h"

using namespace qlx;

namespace {
const std::string kNoBrowser = "Fejl:  Windows' web-browser er ikke tilg\xE6" "ngelig";
const std::string kNotShown = "Fejl:  Kunne ikke vise websiden i Windows' webbrowser!";

struct FakeShell : ShellOpenPort {
    int32_t code = 42;
    bool fail = false;
    std::vector<std::string> opened;
    int32_t openAddress(const std::string& address) override {
        if (fail) throw std::runtime_error("shell");
        opened.push_back(address);
        return code;
    }
};

struct FakeMessages : MessageWinPort {
    std::vector<std::string> shown;
    int32_t MessageWin(DialogOwner owner, const std::string& text, const std::string& caption,
                       TMsgDlgType type, int32_t buttonSet) override {
        EXPECT_EQ(owner, DialogOwner::none);
        EXPECT_EQ(caption, "Quiklex");
        EXPECT_EQ(type, TMsgDlgType::warning);
        EXPECT_EQ(buttonSet, 0);
        shown.push_back(text);
        return kResultOk;
    }
};

struct Pages : ::testing::Test {
    FakeShell shell;
    FakeMessages messages;
    PageTemplates templates = PageTemplates::defaults();
};
} // namespace

TEST(PageAddressCheck, OnlyPlainWebAddressesReachTheShell) {
    const std::string longPath = "http://www.lemmary.dk/" + std::string(2048 - 22, 'a');
    for (const std::string& ok : std::vector<std::string>{
             "http://www.lemmary.dk/#ordbog/hus/", "https://x", "HTTP://X", "hTtPs://WWW.Lemmary.DK/",
             "http://x:8080/a", "https://x:1",
             "http://127.0.0.1:65535/", "http://xn--rdgrd-vuad.dk/", "http://x?q=1&r=%2B#f/g",
             "http://x#ordbog/r%C3%B8d/", "http://x/a-b_c.d~e!$'()*+,;=:@/", "http://x/%aF", longPath})
        EXPECT_TRUE(isAllowedPageAddress(ok)) << ok;
    for (const std::string& bad : std::vector<std::string>{
             // not a web address
             "", "http", "https", "http:", "hTtPs:", "gcf:", "Gcf:hTTp:x", "http:x", "http:/x",
             "gcf:file:///C:/x.exe", "file:///C:/Windows/calc.exe", "FILE://host/share/x.exe",
             "\\\\host\\share\\x.exe", "C:\\x.exe", "x.exe", "javascript:alert(1)",
             "JavaScript:http://x", "ms-msdt:/id PCWDiagnostic", "ms-settings:", "mailto:a@b",
             "gcf:gcf:http://x", "httpx://x", "https//x", "ftp://x", "vbscript:http:",
             // the program's own Chrome Frame form, never a plain page
             "gcf:http://x/ordbog/", "GCF:HTTPS://x",
             // something before the scheme
             " http://x", "\thttp://x", "\x01http://x", "gcf: http://x",
             // the host is not what it seems, or not a plain name
             "http://www.lemmary.dk@evil.example/", "http://user:pw@x/", "http://@x/",
             "http:\\\\host\\share", "http://\\\\host\\share", "http:///x", "http://",
             "http://x:/", "http://x:65536/", "http://x:123456/", "http://x:8o/", "http://[::1]/",
             "http://r\xF8" "d.dk/", "http://x_y/", "http://x y/",
             // what breaks out of a quoted command line or is read differently
             "http://a\" --some-switch \"", "http://x/a b", "http://x/\x01", "http://x/\x7F",
             "http://x/\r\nHost: y", "http://x/r\xF8" "d", "http://x/a\\b", "http://x/<s>",
             "http://x/^", "http://x/`", "http://x/{", "http://x/|", "http://x/}",
             "http://x/%", "http://x/%4", "http://x/%G0", "http://x/%%41",
             // over-long
             longPath + "a"})
        EXPECT_FALSE(isAllowedPageAddress(bad)) << bad;
    EXPECT_FALSE(isAllowedPageAddress(std::string_view("\0http://x", 9)));
    EXPECT_FALSE(isAllowedPageAddress(std::string_view("http://x/\0", 10)));

    for (const char* ok : {"gcf:http://x/ordbog/", "GCF:HTTPS://x", "gcf:http://x:1/?q#f"})
        EXPECT_TRUE(isAllowedChromeFrameAddress(ok)) << ok;
    for (const char* bad : {"http://x/", "gcf:", "gcf:gcf:http://x", "gcf:file:///C:/x.exe",
                            "gcf: http://x", "gcf:http://a@b/", "xgcf:http://x"})
        EXPECT_FALSE(isAllowedChromeFrameAddress(bad)) << bad;
}

TEST(PageAddressCheck, HostWithoutPortInLowerCase) {
    EXPECT_EQ(pageAddressHost("gcf:HTTP://WWW.Lemmary.dk:81/x"), "www.lemmary.dk");
    EXPECT_EQ(pageAddressHost("https://a.b?x"), "a.b");
    EXPECT_EQ(pageAddressHost("http://a@b/"), std::nullopt);
}

TEST_F(Pages, ShellCodesBecomeTheTwoMessages) {
    EXPECT_EQ(openFailureText(33), std::nullopt);
    EXPECT_EQ(openFailureText(31), kNoBrowser);
    EXPECT_EQ(openFailureText(27), kNoBrowser);
    for (int32_t code : {32, 2, 0, -1, 8, 26, 28})
        EXPECT_EQ(openFailureText(code), kNotShown) << code;

    openWebPage(shell, messages, "gcf:http://x/", true);
    EXPECT_EQ(shell.opened, std::vector<std::string>{"gcf:http://x/"});
    EXPECT_TRUE(messages.shown.empty());
    // Outside Chrome Frame mode, and for every message link, "gcf:" is refused.
    openWebPage(shell, messages, "gcf:http://x/");
    EXPECT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(messages.shown, std::vector<std::string>{kNotShown});
    messages.shown.clear();

    shell.code = 31;
    openWebPage(shell, messages, "http://x/");
    shell.code = 5;
    openWebPage(shell, messages, "http://x/");
    EXPECT_EQ(messages.shown, (std::vector<std::string>{kNoBrowser, kNotShown}));
}

TEST_F(Pages, AnAddressThatIsNotAWebPageIsNeverOpened) {
    templates.LookupModern = "file:///C:/Windows/System32/calc.exe?";
    OpenLookupPage(shell, messages, templates, false, "hus", "");
    openWebPage(shell, messages, "\\\\host\\share\\x.exe");
    EXPECT_TRUE(shell.opened.empty());
    EXPECT_EQ(messages.shown, (std::vector<std::string>{kNotShown, kNotShown}));
}

// However a template without a path got in, the search text never changes the host opened.
TEST_F(Pages, TheSearchTextNeverExtendsTheHost) {
    templates.LookupModern = "http://www.lemmary.dk";
    for (const char* text : {".evil.com", "hund", "-x"})
        OpenLookupPage(shell, messages, templates, false, text, "");
    OpenLookupPage(shell, messages, templates, false, ".evil.com", "https://lemmary.dk:8080");
    EXPECT_TRUE(shell.opened.empty());
    EXPECT_EQ(messages.shown, std::vector<std::string>(4, kNotShown));
}

TEST_F(Pages, TheChromeFrameFormOnlyInThatMode) {
    templates.LookupModern = "gcf:http://www.lemmary.dk/ordbog/";
    OpenLookupPage(shell, messages, templates, false, "hus", "");
    EXPECT_TRUE(shell.opened.empty());
    EXPECT_EQ(messages.shown, std::vector<std::string>{kNotShown});
}

TEST_F(Pages, LookupOpensTheEscapedAddressOfTheCurrentMode) {
    OpenLookupPage(shell, messages, templates, false, "r\xF8" "d", "");
    OpenLookupPage(shell, messages, templates, true, "hus", "");
    OpenLookupPage(shell, messages, templates, true, "", "");
    EXPECT_EQ(shell.opened, (std::vector<std::string>{"http://www.lemmary.dk/#ordbog/r%C3%B8d/",
                                                      "gcf:http://www.lemmary.dk/ordbog/hus/",
                                                      "gcf:http://www.lemmary.dk/ordbog/"}));
}

TEST_F(Pages, FailuresInsideTheLookupAreDropped) {
    shell.fail = true;
    EXPECT_NO_THROW(OpenLookupPage(shell, messages, templates, false, "hus", ""));
    EXPECT_NO_THROW(MenuItemProgramWebClick(shell, messages, templates, false));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Pages, ProgramPageAndOpenButton) {
    MenuItemProgramWebClick(shell, messages, templates, false);
    MenuItemProgramWebClick(shell, messages, templates, true);
    std::string last = "hus";
    ImageOpenClick(shell, messages, templates, false, last);
    EXPECT_EQ(last, "");
    EXPECT_EQ(shell.opened,
              (std::vector<std::string>{"http://www.lemmary.dk/#anvendelse/quiklex/",
                                        "gcf:http://www.lemmary.dk/anvendelse/quiklex/",
                                        "http://www.lemmary.dk/#ordbog/"}));
}
