// The first start: the welcome window's table, its closing rule, and the flow around it with
// the Chrome Frame value in the registry.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "forms/WelcomeForm.h"
#include "lookup/ChromeFrame.h"
#include "panel/PanelLayout.h"

using namespace qlx;

namespace {

struct Shown {
    DialogOwner owner;
    std::string text;
    std::string caption;
    TMsgDlgType type;
    int32_t buttons;
    bool operator==(const Shown&) const = default;
};

struct Messages : MessageWinPort {
    std::vector<Shown> shown;
    int32_t answer = kResultOk;
    std::vector<std::string>* log = nullptr;
    int32_t MessageWin(DialogOwner owner, const std::string& text, const std::string& caption,
                       TMsgDlgType type, int32_t buttonSet) override {
        shown.push_back({owner, text, caption, type, buttonSet});
        if (log) log->push_back("message " + caption);
        return answer;
    }
};

struct Registry : ChromeFrameRegistryPort {
    bool opens = true;
    bool writes = true;
    Existing existing = Existing::none;
    std::vector<std::string> written;
    bool openKey() override { return opens; }
    Existing existingValue() override { return existing; }
    bool writeNumber(uint32_t value) override {
        written.push_back("number " + std::to_string(value));
        return writes;
    }
    bool writeText(const char* value) override {
        written.push_back(std::string("text ") + value);
        return writes;
    }
};

struct Flow : WelcomePort {
    int32_t result = kResultCancel;
    bool throws = false;
    bool* modal = nullptr;
    std::vector<std::string> log;
    Dimension panel{0, 860, 32, 82};
    void requestButtons(bool show) override { log.push_back(show ? "buttons on" : "buttons off"); }
    Dimension panelBounds() override { return panel; }
    int32_t showWelcomeWindow(const Dimension& at) override {
        EXPECT_EQ(at, panel);
        log.push_back(*modal ? "window (modal)" : "window");
        if (throws) throw std::runtime_error("no window");
        return result;
    }
    void postCommand(uint16_t wParam, int32_t lParam) override {
        log.push_back("post " + std::to_string(wParam) + "/" + std::to_string(lParam));
    }
};

const std::string kPrepare =
    "NB: F\xF8rste gang skal du v\xE6re online mens der forberedes\ntil Internet Explorer 7, 8 "
    "el. 9. Websiden \xE5" "bnes nu.";

} // namespace

TEST(Welcome, TheFlowForEachAnswer) {
    struct Case {
        int32_t result;
        bool throws;
        bool chromeFrame;
        std::vector<std::string> written;
        std::vector<std::string> log;
    } cases[] = {
        {kResultCancel, false, false, {},
         {"buttons on", "window (modal)", "buttons off", "post 4/5"}},
        {kResultOk, false, true, {"number 1"},
         {"buttons on", "window (modal)", "buttons off", "message Automatisk forberedelse",
          "post 4/5"}},
        // A window that cannot be built leaves the mode as it was and still opens the page.
        {kResultOk, true, false, {}, {"buttons on", "window (modal)", "buttons off", "post 4/5"}},
    };
    for (const Case& c : cases) {
        bool modal = false;
        bool chromeFrame = false;
        Flow flow;
        flow.modal = &modal;
        flow.result = c.result;
        flow.throws = c.throws;
        Registry registry;
        Messages messages;
        messages.log = &flow.log;
        RunFirstStartWelcome(modal, chromeFrame, flow, registry, messages);
        EXPECT_EQ(chromeFrame, c.chromeFrame);
        EXPECT_FALSE(modal);
        EXPECT_EQ(registry.written, c.written);
        EXPECT_EQ(flow.log, c.log);
        const std::vector<Shown> prepare{
            {DialogOwner::panel, kPrepare, "Automatisk forberedelse", TMsgDlgType::information, 0}};
        EXPECT_EQ(messages.shown, c.chromeFrame ? prepare : std::vector<Shown>{});
    }
}

TEST(Welcome, ChromeFrameValueFollowsTheKindThatIsThere) {
    using E = ChromeFrameRegistryPort::Existing;
    const Shown problem{DialogOwner::panel,
                        "Windows tillod ikke indstilling af Google Chrome Frame", "Problem",
                        TMsgDlgType::warning, 0};
    struct Case {
        E existing;
        bool opens, writes;
        std::vector<std::string> written;
        bool reported;
    } cases[] = {
        {E::none, true, true, {"number 1"}, false},
        {E::other, true, true, {"number 1"}, false},
        {E::text, true, true, {"text 1"}, false},
        {E::none, true, false, {"number 1"}, true},
        {E::none, false, true, {}, true},
    };
    for (const Case& c : cases) {
        Registry registry;
        registry.existing = c.existing;
        registry.opens = c.opens;
        registry.writes = c.writes;
        Messages messages;
        AllowChromeFrameUrls(registry, messages);
        EXPECT_EQ(registry.written, c.written);
        EXPECT_EQ(messages.shown, c.reported ? std::vector<Shown>{problem} : std::vector<Shown>{});
    }
}

TEST(Welcome, QuestionIsYesOnlyForJa) {
    Messages messages;
    for (auto [answer, yes] : {std::pair{kResultYes, true}, {kResultNo, false},
                               {kResultCancel, false}}) {
        messages.answer = answer;
        EXPECT_EQ(areYouUsingGCFQuestionWin(messages, DialogOwner::form), yes);
    }
    EXPECT_EQ(messages.shown.back(),
              (Shown{DialogOwner::form, "Er din standardbrowser Internet Explorer 7, 8 eller 9?",
                     "", TMsgDlgType::confirmation, 4}));
}

TEST(Welcome, PlacedLeftOfThePanelThenInsideTheWorkArea) {
    // At the top right: simply beside it.
    EXPECT_EQ(welcomePlace({0, 860, 32, 82}, 355, 290, 96), (Dimension{20, 485, 290, 355}));
    // The gap grows with the scale: 30 pixels at 144 DPI, 40 at 192.
    EXPECT_EQ(welcomePlace({0, 1674, 48, 123}, 532, 435, 144), (Dimension{30, 1112, 435, 532}));
    EXPECT_EQ(welcomePlace({0, 1592, 64, 164}, 710, 580, 192), (Dimension{40, 842, 580, 710}));
    // Near the left edge the place lies off the screen until the work area takes it back.
    Dimension d = welcomePlace({300, 40, 32, 82}, 355, 290, 96);
    EXPECT_EQ(d, (Dimension{320, -335, 290, 355}));
    limitToScreenWorkarea(d, WorkArea{0, 0, 1024, 738});
    EXPECT_EQ(d, (Dimension{320, 0, 290, 355}));
}

TEST(Welcome, OnlyTheButtonsClose) {
    TFormWelcome w;
    w.FormShow();
    EXPECT_FALSE(w.FormCloseQuery());
    w.ButtonYesClick();
    EXPECT_TRUE(w.FormCloseQuery());
    EXPECT_TRUE(w.UseChromeFrame());
    w.FormShow();
    EXPECT_FALSE(w.FormCloseQuery());
    w.ButtonNoClick();
    EXPECT_TRUE(w.FormCloseQuery());
    EXPECT_FALSE(w.UseChromeFrame());
}

TEST(Welcome, LayoutHasTheWindowsNumbers) {
    const FormDesc f = welcomeFormLayout();
    EXPECT_EQ(f.caption, "Velkommen");
    EXPECT_EQ(std::pair(f.clientWidth, f.clientHeight), std::pair(349, 265));
    struct Row {
        const char* name;
        ControlBox box;
        const char* parent;
        std::string text;
    } rows[] = {
        {"PanelTop", {0, 0, 0, 49}, "", ""},
        {"LabelTitle", {15, 9, 0, 0}, "PanelTop", "Quiklex"},
        {"LabelSubtitle", {104, 16, 0, 0}, "PanelTop", "til hurtigt opslag i Lemmary"},
        {"LabelVersion", {250, 16, 82, 15}, "PanelTop", "version 0.6.0"},
        {"LabelQuestion1", {17, 65, 0, 0}, "", "Er din standardbrowser moderne"},
        {"LabelQuestion1b", {209, 65, 0, 0}, "", "(fx Internet Explorer 10,"},
        {"LabelQuestion2", {16, 80, 0, 0}, "", "Google Chrome el. Firefox)"},
        {"LabelQuestion3", {17, 95, 304, 18}, "",
         "eller en af de \xE6ldre Internet Explorer  7, 8  el. 9?"},
        {"PanelBottom", {0, 123, 349, 33}, "", ""},
        {"ButtonNoShape", {59, 4, 78, 21}, "PanelBottom", ""},
        {"ButtonNo", {59, 4, 78, 21}, "PanelBottom", "Moderne"},
        {"LabelOr", {162, 7, 0, 0}, "PanelBottom", "eller"},
        {"ButtonYesShape", {213, 4, 78, 21}, "PanelBottom", ""},
        {"ButtonYes", {213, 4, 78, 21}, "PanelBottom", "IE 7, 8, 9"},
        {"LabelExplanation", {16, 164, 321, 34}, "",
         "Dit valg afg\xF8r om Lemmary (Lemmary) kan fungere offline i de \xE6ldre browsere."},
        {"LabelUsage", {16, 200, 305, 41}, "",
         "Anvendelse: Du kan tr\xE6kke et ord over p\xE5 Quiklex eller bruge tastaturgenvejen. "
         "Det er typisk Ctrl + Skift +C."},
        {"LabelSettings", {16, 236, 0, 0}, "",
         "Indstillingerne kan \xE6ndres ved at klikke i det lille panel."},
    };
    ASSERT_EQ(f.controls.size(), std::size(rows));
    for (size_t i = 0; i < std::size(rows); ++i) {
        const ControlDesc& c = f.controls[i];
        EXPECT_EQ(c.name, rows[i].name);
        EXPECT_EQ(c.box, rows[i].box) << c.name;
        EXPECT_EQ(c.parent, rows[i].parent) << c.name;
        EXPECT_EQ(c.caption(), rows[i].text) << c.name;
    }
    // Colours, fonts and the bold parts.
    EXPECT_EQ(f.find("PanelTop")->colour, kPanelColour);
    EXPECT_EQ(f.find("PanelBottom")->colour, kWhite);
    EXPECT_EQ(f.find("ButtonNoShape")->colour, 0xDDDDDDu);
    EXPECT_EQ(f.find("LabelTitle")->font, (FontDesc{21, false, false, kWhite}));
    EXPECT_EQ(f.find("LabelVersion")->anchors, kAnchorTop | kAnchorRight);
    EXPECT_TRUE(f.find("LabelVersion")->rightAlign);
    EXPECT_EQ(f.find("ButtonYes")->anchors, kAnchorTop | kAnchorRight);
    EXPECT_EQ(f.find("ButtonYes")->modalResult, kResultOk);
    EXPECT_EQ(f.find("ButtonNo")->modalResult, kResultCancel);
    EXPECT_TRUE(f.find("LabelQuestion1")->text[0].bold);
    EXPECT_FALSE(f.find("LabelQuestion2")->text[0].bold);
    const auto& explanation = f.find("LabelExplanation")->text;
    ASSERT_EQ(explanation.size(), 3u);
    EXPECT_EQ(explanation[1], (TextRun{"offline", true}));
    EXPECT_FALSE(explanation[0].bold || explanation[2].bold);
}
