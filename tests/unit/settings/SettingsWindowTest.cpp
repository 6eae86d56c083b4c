// The settings window: its table, the shortcut field's values, and what opening, closing and
// confirming it decide, with fakes for the window, the main window and the registry.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "FakeFormMainSteps.h"
#include "FakeLookupHotKeyPort.h"
#include "FakeSettingsPorts.h"
#include "app/FormMainCore.h"
#include "lookup/LookupHotKey.h"
#include "panel/PanelMenus.h"
#include "settings/SettingsWindowCommand.h"

using namespace qlx;

namespace {

using Log = std::vector<std::string>;
const std::string kProgram = "C:\\Quiklex\\quiklex.exe";
const RunListValue kEntry{"quiklex", true, "\"C:\\Quiklex\\quiklex.exe\" -auto"};
constexpr uint16_t kCtrlShiftQ = 0x6051;
constexpr uint16_t kCtrlAltX = 0xC058;

struct Messages : MessageWinPort {
    Log* log = nullptr;
    std::deque<int32_t> answers; // then OK
    std::vector<std::string> texts;
    int32_t MessageWin(DialogOwner owner, const std::string& text, const std::string& caption,
                       TMsgDlgType, int32_t buttons) override {
        texts.push_back(text);
        log->push_back((owner == DialogOwner::form ? "ask " : "say ") + text.substr(0, 12) +
                       " [" + caption + "] " + std::to_string(buttons));
        if (answers.empty()) return kResultOk;
        const int32_t answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// The window: its field, its visibility, the panel it is centred on, and the user's actions
// while it is shown, after which it closes the way the window layer closes it.
struct Window final : SettingsWindowHandle, SettingsFormPort {
    Log& log;
    uint16_t field = 0;
    bool visible = false;
    Dimension& panel;
    Messages& messages;
    std::function<void(TFormSettings&)> user;
    uint16_t& fieldAtEnd;
    const MonitorList& screens;
    Dimension placed;
    bool chromeFrame = true;
    TFormSettings settings{*this, messages};

    Window(Log& l, Dimension& p, Messages& m, std::function<void(TFormSettings&)> u,
           uint16_t& end, const MonitorList& s)
        : log(l), panel(p), messages(m), user(std::move(u)), fieldAtEnd(end), screens(s) {
        settings.FormCreate();
    }
    ~Window() override {
        fieldAtEnd = field;
        log.push_back("window destroyed");
    }
    TFormSettings& form() override { return settings; }
    int32_t showModal() override {
        log.push_back("shown");
        placed = settings.FormShow({0, 0, 319, 331});
        visible = true;
        settings.ModalResult = 0;
        user(settings);
        settings.FormCloseQuery();
        settings.FormClose();
        visible = false;
        return settings.ModalResult;
    }
    uint16_t hotKeyField() override { return field; }
    void setHotKeyField(uint16_t shortcut) override { field = shortcut; }
    bool windowVisible() override { return visible; }
    Dimension panelBounds() override { return panel; }
    void setPanelBounds(const Dimension& d) override { panel = d; }
    MonitorList monitors() override { return screens; }
    bool chromeFrameOffered() override { return chromeFrame; }
    bool removeNextKeyboardMessage(uint32_t ms) override {
        log.push_back("key wait " + std::to_string(ms));
        return false;
    }
};

struct Main final : SettingsWindowPort {
    Log log;
    std::vector<uint16_t> refused; // shortcuts another program holds
    bool createFails = false;
    bool chromeFrame = true;
    std::function<void(TFormSettings&)> user = [](TFormSettings&) {};
    Window* open = nullptr;
    uint16_t fieldAtEnd = 0xFFFF;
    Dimension panel{0, 860, 32, 82};
    MonitorList screens{{{0, 0, 1024, 768}, WorkArea{0, 0, 1024, 738}, 96, true}};
    Messages messages;
    FakeFormMainPort mainPort;
    ProgramState state;
    FormMainCore core{state, mainPort, mainPort, mainPort};
    FakeRunLists lists;
    FakeReporter reporter;
    Autostart autostart{lists, reporter, kProgram};
    SettingsWindowCommand command{state, autostart, *this, messages};
    FakeLookupHotKeyPort hotKeys;
    LookupHotKeyKeeper keeper{hotKeys, state.ModalDialogOpen};

    Main() {
        messages.log = &log;
        hotKeys.onHotKey = [this](uint16_t h, bool on) { return hotKey(h, on); };
    }

    std::unique_ptr<SettingsWindowHandle> createSettingsWindow() override {
        log.push_back(state.ModalDialogOpen ? "create (modal)" : "create");
        if (createFails) throw std::runtime_error("no window");
        auto window = std::make_unique<Window>(log, panel, messages, user, fieldAtEnd, screens);
        window->chromeFrame = chromeFrame;
        open = window.get();
        return window;
    }
    void showPanel() override { core.ShowPanel(false); }
    void applyOnTop(bool on) override { log.push_back(on ? "ontop+" : "ontop-"); }
    void requestButtons(bool show) override { log.push_back(show ? "buttons+" : "buttons-"); }
    void addTrayIcon() override { log.push_back("tray+"); }
    void removeTrayIcon() override { log.push_back("tray-"); }
    void showTaskbarButton(bool show) override { log.push_back(show ? "taskbar+" : "taskbar-"); }
    LookupHotKeyKeeper& lookupHotKey() override { return keeper; }
    // The system's hot keys, as the main window's shortcut keeper asks for them.
    bool hotKey(uint16_t hotkey, bool on) {
        log.push_back(on ? "register " + std::to_string(hotkey) : "unregister");
        return !on || std::find(refused.begin(), refused.end(), hotkey) == refused.end();
    }
    void onTopSettingApplied(bool on) override {
        state.OnTopActive = on;
        log.push_back(on ? "on-top setting+" : "on-top setting-");
    }
    void allowChromeFrameUrls() override { log.push_back("chrome frame"); }
    void postCommand(uint16_t w, int32_t l) override {
        log.push_back("post " + std::to_string(w) + "/" + std::to_string(l));
    }

    // Opens the window from the panel's menu; the user acts, then the window closes.
    Log run(std::function<void(TFormSettings&)> actions, int tag = 0) {
        user = std::move(actions);
        keeper.start(state.Hotkey); // as at creation
        log.clear();
        command.MenuItemSettingsClick(tag);
        return log;
    }
};

// What the user does in the open window.
auto click(const char* name) {
    return [name](TFormSettings& f) { f.checkBoxClick(name); };
}
auto key(char k) {
    return [k](TFormSettings& f) { f.FormKeyPress(k); };
}
auto then(std::function<void(TFormSettings&)> a, std::function<void(TFormSettings&)> b) {
    return [a, b](TFormSettings& f) {
        a(f);
        b(f);
    };
}
void ok(TFormSettings& f) { f.ButtonOKClick(); }
void cancel(TFormSettings& f) { f.ButtonCancelClick(); }

const std::string kQuestion = "ask Vil du gemme [] 3";
const std::string kProblem = "say Windows n\xE6gt [Quiklex] 0";
const Log kApplied{"on-top setting+", "post 5/5"};
const Log kCleanUp{"window destroyed", "ontop+", "buttons-"};

Log concat(std::initializer_list<Log> parts) {
    Log all;
    for (const Log& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

} // namespace

TEST(SettingsWindow, LayoutHasTheWindowsNumbers) {
    const FormDesc f = settingsFormLayout();
    EXPECT_EQ(f.caption, "Om programmet");
    EXPECT_EQ(std::pair(f.clientWidth, f.clientHeight), std::pair(325, 290));
    struct Row {
        const char* name;
        ControlKind kind;
        ControlBox box;
        std::string caption;
        int32_t group;
    } rows[] = {
        {"PanelTop", ControlKind::Panel, {0, 0, 0, 60}, "", 0},
        {"LabelTitle", ControlKind::Label, {15, 9, 0, 0}, "Quiklex", 0},
        {"LabelSubtitle", ControlKind::Label, {104, 16, 0, 0}, "til hurtigt opslag i Lemmary", 0},
        {"LabelVersion", ControlKind::Label, {188, 36, 120, 15}, "version 0.6.0", 0},
        {"Label8", ControlKind::Label, {16, 69, 264, 30},
         "Indstillingerne anvendes nu og n\xE5r programmet starter n\xE6ste gang.", 0},
        {"CheckBoxAlwaysOnTop", ControlKind::CheckmarkButton, {13, 107, 157, 22},
         "Altid over andre vinduer", 6},
        {"CheckBoxSystray", ControlKind::CheckmarkButton, {13, 133, 147, 22},
         "Ikon ved siden af uret", 5},
        {"CheckBoxRunOnStart", ControlKind::CheckmarkButton, {13, 158, 164, 20},
         "Automatisk programstart", 7},
        {"CheckBoxMinimizeOnStart", ControlKind::CheckmarkButton, {47, 179, 87, 20},
         "Start skjult", 8},
        {"CheckBoxUseGCF", ControlKind::CheckmarkButton, {13, 202, 295, 22},
         "Offline i \xE6ldre Internet Explorer (version 7, 8 el. 9)", 4},
        {"Label1", ControlKind::Label, {30, 233, 84, 15}, "Tastaturgenvej:", 0},
        {"HotKeyField", ControlKind::HotKeyField, {120, 231, 136, 20}, "", 0},
        {"PanelBottom", ControlKind::Panel, {0, 262, 325, 28}, "", 0},
        {"ButtonOKShape", ControlKind::Shape, {25, 4, 45, 21}, "", 0},
        {"ButtonOK", ControlKind::FlatButton, {24, 4, 45, 21}, "OK", 0},
        {"ButtonCancelShape", ControlKind::Shape, {75, 4, 66, 21}, "", 0},
        {"ButtonCancel", ControlKind::FlatButton, {74, 4, 66, 21}, "Annuller", 0},
        {"ButtonResetShape", ControlKind::Shape, {233, 4, 66, 21}, "", 0},
        {"ButtonReset", ControlKind::FlatButton, {233, 4, 66, 21}, "Standard", 0},
    };
    ASSERT_EQ(f.controls.size(), std::size(rows));
    for (size_t i = 0; i < std::size(rows); ++i) {
        const ControlDesc& c = f.controls[i];
        EXPECT_EQ(c.name, rows[i].name);
        EXPECT_EQ(c.kind, rows[i].kind) << c.name;
        EXPECT_EQ(c.box, rows[i].box) << c.name;
        EXPECT_EQ(c.caption(), rows[i].caption) << c.name;
        EXPECT_EQ(c.group, rows[i].group) << c.name;
    }
    EXPECT_EQ(f.find("PanelBottom")->align, Align::Bottom);
    EXPECT_TRUE(f.find("Label8")->font.italic && f.find("Label8")->wordWrap);
    EXPECT_EQ(f.find("ButtonReset")->anchors, kAnchorTop | kAnchorRight);
    EXPECT_EQ(f.find("ButtonOKShape")->colour, kButtonFaceColour);
    EXPECT_EQ(f.find("CheckBoxSystray")->hint,
              "Knappen i Windows' proceslinje fjernes, og et ikon placeres ved siden af uret");
    EXPECT_EQ(f.find("HotKeyField")->hint, "Tryk p\xE5 en tastaturgenvej for at \xE6ndre");
    EXPECT_EQ(f.find("HotKeyField")->hint, f.find("Label1")->hint);
}

TEST(SettingsWindow, ShortcutFieldValuesAndKeyFilter) {
    struct Case {
        uint16_t shortcut, field;
    } cases[] = {
        {24643, 0x0343},  // Shift+Ctrl+C
        {kCtrlAltX, 0x0658},
        {0xA070, 0x0570}, // Shift+Alt+F1
        {0x6024, 0x0B24}, // Shift+Ctrl+Home: the field needs its "extended" flag
        {0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(hotKeyFieldValue(c.shortcut), c.field) << c.shortcut;
        EXPECT_EQ(shortcutFromHotKeyField(c.field), c.shortcut) << c.shortcut;
    }
    EXPECT_EQ(shortcutFromHotKeyField(0x0300), 0); // modifiers alone are no shortcut
    for (auto [message, key, dropped] : {std::tuple{0x100u, 13u, true}, {0x100u, 27u, true},
                                         {0x100u, 0x43u, false}, {0x101u, 13u, false},
                                         {0x102u, 27u, false}})
        EXPECT_EQ(hotKeyFieldDropsMessage(message, key), dropped);
}

TEST(SettingsWindow, OpeningIsRefusedWhileADialogIsOpen) {
    Main m;
    m.state.ModalDialogOpen = true;
    m.mainPort.calls.clear();
    EXPECT_EQ(m.run(ok, kTrayMenuTag), Log{});
    EXPECT_EQ(m.mainPort.calls, (std::vector<std::string>{"restore", "front"}));
    EXPECT_TRUE(m.state.ModalDialogOpen);
}

TEST(SettingsWindow, FilledFromTheSettingsAndCleanedUpAfter) {
    for (int tag : {kTrayMenuTag, 0}) {
        Main m;
        m.state.SysTrayIcon = false;
        m.state.Hotkey = kCtrlShiftQ;
        m.state.UseChromeFrame = true;
        m.state.MinimizeStart = true;
        m.lists.user = {kEntry};
        bool modalWhileOpen = false, capturingWhileOpen = false;
        m.mainPort.calls.clear();
        const Log log = m.run([&](TFormSettings& f) {
            modalWhileOpen = m.state.ModalDialogOpen;
            capturingWhileOpen = m.command.SettingsWindowOpen;
            EXPECT_EQ(m.open->field, kCtrlShiftQ);
            EXPECT_FALSE(f.CheckBoxSystray.Checked());
            EXPECT_TRUE(f.CheckBoxAlwaysOnTop.Checked());
            // An entry with "Start skjult" set counts as a hidden start.
            EXPECT_TRUE(f.CheckBoxRunOnStart.Checked() && f.CheckBoxMinimizeOnStart.Checked());
            EXPECT_TRUE(f.CheckBoxMinimizeOnStart.Enabled());
            EXPECT_TRUE(f.CheckBoxUseGCF.Checked());
            EXPECT_EQ(f.CheckBoxRunOnStart.FontColour, 0u);
            // Centred on the panel, then inside the work area.
            EXPECT_EQ(m.open->placed, (Dimension{0, 1024 - 331, 319, 331}));
            cancel(f);
        }, tag);
        EXPECT_EQ(log, concat({{"ontop-", "create (modal)", "shown"}, kCleanUp}));
        // Only the tray menu's entry brings the panel forward first.
        EXPECT_EQ(m.mainPort.calls.empty(), tag == 0);
        EXPECT_TRUE(modalWhileOpen && capturingWhileOpen);
        EXPECT_FALSE(m.state.ModalDialogOpen || m.command.SettingsWindowOpen);
        EXPECT_EQ(m.autostart.AutostartState, 2);
    }
    // A window that cannot be built still leaves everything as it was.
    Main m;
    m.createFails = true;
    EXPECT_EQ(m.run(ok), (Log{"ontop-", "create (modal)", "ontop+", "buttons-"}));
    EXPECT_FALSE(m.state.ModalDialogOpen);
}

TEST(SettingsWindow, ClosingWithoutTheButtonsAsksOnlyAfterAChange) {
    struct Case {
        const char* what;
        std::function<void(TFormSettings&)> user;
        std::deque<int32_t> answers;
        Log log;
        bool alwaysOnTop;
    } cases[] = {
        {"Esc, nothing changed", key(27), {}, {"key wait 500"}, true},
        {"Enter, nothing changed: OK", key(13), {}, concat({{"key wait 500"}, kApplied}), true},
        {"the close box, nothing changed",
         [](TFormSettings& f) { f.ModalResult = kResultCancel; }, {}, {}, true},
        {"a change, Esc, Ja", then(click("CheckBoxAlwaysOnTop"), key(27)), {kResultYes},
         concat({{"key wait 500", kQuestion, "on-top setting-", "post 5/5"}}), false},
        {"a change, Esc, Nej", then(click("CheckBoxAlwaysOnTop"), key(27)), {kResultNo},
         {"key wait 500", kQuestion}, true},
        {"a change undone again", then(then(click("CheckBoxAlwaysOnTop"),
                                            click("CheckBoxAlwaysOnTop")), key(27)),
         {}, {"key wait 500"}, true},
        {"a change and Annuller never ask", then(click("CheckBoxSystray"), cancel), {}, {}, true},
        {"a change and OK never ask", then(click("CheckBoxAlwaysOnTop"), ok), {},
         {"on-top setting-", "post 5/5"}, false},
    };
    for (const Case& c : cases) {
        Main m;
        m.messages.answers = c.answers;
        const Log log = m.run(c.user);
        EXPECT_EQ(log, concat({{"ontop-", "create (modal)", "shown"}, c.log, {"window destroyed"},
                               {c.alwaysOnTop ? "ontop+" : "ontop-", "buttons-"}}))
            << c.what;
        EXPECT_EQ(m.state.AlwaysOnTop, c.alwaysOnTop) << c.what;
    }
}

TEST(SettingsWindow, StandardMovesThePanelWhichAnnullerPutsBack) {
    const Dimension home{300, 100, 32, 82};
    for (int32_t answer : {kResultYes, kResultNo}) {
        for (bool confirm : {true, false}) {
            Main m;
            m.panel = home;
            m.state.SysTrayIcon = false;
            m.state.AlwaysOnTop = false;
            m.state.OnTopActive = false;
            m.state.Hotkey = kCtrlAltX;
            m.state.UseChromeFrame = answer == kResultNo;
            m.messages.answers = {answer};
            Dimension during;
            const Log log = m.run([&](TFormSettings& f) {
                f.ButtonResetClick();
                during = m.panel;
                EXPECT_FALSE(f.CheckBoxMinimizeOnStart.Checked());
                EXPECT_TRUE(f.CheckBoxMinimizeOnStart.Enabled());
                confirm ? ok(f) : cancel(f);
            });
            // At once to the top right: left = screen width - panel width - 82.
            EXPECT_EQ(during, (Dimension{0, 1024 - 82 - 82, 32, 82}));
            EXPECT_EQ(m.panel, confirm ? during : home);
            EXPECT_EQ(log[3], "ask Er din stand [] 4");
            EXPECT_EQ(m.state.SysTrayIcon, confirm);
            EXPECT_EQ(m.state.AlwaysOnTop, confirm);
            EXPECT_EQ(m.state.Hotkey, confirm ? kDefaultHotkey : kCtrlAltX);
            EXPECT_EQ(m.state.UseChromeFrame, confirm ? answer == kResultYes : answer == kResultNo);
            EXPECT_EQ(m.lists.user.size(), confirm ? 1u : 0u); // the automatic start, mode 1
            EXPECT_EQ(std::count(log.begin(), log.end(), "chrome frame"),
                      confirm && answer == kResultYes ? 1 : 0);
        }
    }
    // "Standard" counts as a change even where the defaults were there already: closing by
    // Esc asks.
    Main m;
    m.panel = home;
    m.lists.user = {kEntry};
    m.messages.answers = {kResultNo, kResultNo};
    const Log log = m.run([](TFormSettings& f) {
        f.ButtonResetClick();
        f.FormKeyPress(27);
    });
    EXPECT_EQ(std::count(log.begin(), log.end(), kQuestion), 1);
    EXPECT_EQ(m.panel, home);
}

TEST(SettingsWindow, StandardAsksNoBrowserQuestionWithoutChromeFrame) {
    Main m;
    m.chromeFrame = false;
    m.state.UseChromeFrame = true;
    const Log log = m.run([&](TFormSettings& f) {
        f.ButtonResetClick();
        EXPECT_FALSE(f.CheckBoxUseGCF.Checked());
        ok(f);
    });
    EXPECT_EQ(std::count_if(log.begin(), log.end(),
                            [](const std::string& e) { return e.rfind("ask", 0) == 0; }),
              0);
    EXPECT_EQ(m.panel, (Dimension{0, 1024 - 82 - 82, 32, 82}));
    EXPECT_FALSE(m.state.UseChromeFrame);
}

TEST(SettingsWindow, PlacedAndStandardOnTheMonitorThePanelIsOn) {
    // The primary screen, one to its right at another scale, one left of and above it.
    const MonitorList screens{
        {{0, 0, 1024, 768}, WorkArea{0, 0, 1024, 738}, 96, true},
        {{1024, 0, 2304, 1024}, WorkArea{1024, 0, 2304, 984}, 144, false},
        {{-1280, -200, 0, 824}, WorkArea{-1280, -160, 0, 824}, 120, false},
    };
    struct Case {
        const char* what;
        Dimension panel;
        Dimension placed;   // the 319 x 331 window centred on the panel, on its monitor
        Dimension standard; // where "Standard" puts the panel: its monitor's scaled margin
    } cases[] = {
        {"right monitor, near its left edge", {100, 1030, 32, 82}, {0, 1024, 319, 331},
         {0, 2304 - 82 - 123, 32, 82}},
        {"left monitor, negative coordinates", {-190, -120, 32, 82}, {-160, -331, 319, 331},
         {-200, -82 - 103, 32, 82}},
        {"straddling, mostly on the right one", {500, 1000, 32, 82}, {357, 1024, 319, 331},
         {0, 2304 - 82 - 123, 32, 82}},
    };
    for (const Case& c : cases) {
        Main m;
        m.screens = screens;
        m.panel = c.panel;
        m.messages.answers = {kResultYes};
        Dimension during;
        m.run([&](TFormSettings& f) {
            EXPECT_EQ(m.open->placed, c.placed) << c.what;
            f.ButtonResetClick();
            during = m.panel;
            cancel(f);
        });
        EXPECT_EQ(during, c.standard) << c.what;
    }
}

TEST(SettingsWindow, MachineWideEntryLocksTheAutomaticStart) {
    Main m;
    m.lists.machine = {kEntry};
    m.lists.user = {{"Other", true, "C:\\other.exe"}};
    const std::vector<RunListValue> userBefore = m.lists.user;
    const Log log = m.run([](TFormSettings& f) {
        EXPECT_TRUE(f.CheckBoxRunOnStart.Checked());
        EXPECT_EQ(f.CheckBoxRunOnStart.FontColour, 0x808080u);
        f.checkBoxClick("CheckBoxRunOnStart");
        EXPECT_TRUE(f.CheckBoxRunOnStart.Checked());
        EXPECT_TRUE(f.CheckBoxMinimizeOnStart.Enabled());
        f.checkBoxClick("CheckBoxMinimizeOnStart");
        ok(f);
    });
    EXPECT_EQ(log[3], "ask Automatisk p [Automatisk programstart] 0");
    EXPECT_TRUE(m.state.MinimizeStart);
    EXPECT_TRUE(m.lists.deleted.empty());
    EXPECT_EQ(m.lists.user.size(), userBefore.size());
    EXPECT_EQ(m.lists.user[0].name, "Other");
    EXPECT_TRUE(m.autostart.AutostartLocked);
}

TEST(SettingsWindow, AutomaticStartModes) {
    struct Case {
        const char* what;
        std::vector<RunListValue> user;
        bool minimizeStart;
        std::function<void(TFormSettings&)> act;
        bool written;           // the user's list changed
        size_t entries;         // entries left in it
        bool minimizeStartAfter;
    } cases[] = {
        // Unchecking keeps "Start skjult"'s mark (disabled); OK removes the entry and still
        // stores it.
        {"off", {kEntry}, true, click("CheckBoxRunOnStart"), true, 0, true},
        // "Start skjult" alone turns mode 1 into 2: the entry is written anew.
        {"1 to 2", {kEntry}, false, click("CheckBoxMinimizeOnStart"), true, 1, true},
        {"unchanged", {kEntry}, true, [](TFormSettings&) {}, false, 1, true},
        {"on", {}, false, click("CheckBoxRunOnStart"), true, 1, false},
    };
    for (const Case& c : cases) {
        Main m;
        m.lists.user = c.user;
        m.state.MinimizeStart = c.minimizeStart;
        bool disabledKeepsMark = true;
        m.run([&](TFormSettings& f) {
            c.act(f);
            if (!f.CheckBoxRunOnStart.Checked())
                disabledKeepsMark = !f.CheckBoxMinimizeOnStart.Enabled() &&
                                    f.CheckBoxMinimizeOnStart.Checked() == c.minimizeStart;
            ok(f);
        });
        EXPECT_TRUE(disabledKeepsMark) << c.what;
        EXPECT_EQ(!m.lists.deleted.empty() || (c.user.empty() && !m.lists.user.empty()),
                  c.written)
            << c.what;
        EXPECT_EQ(m.lists.user.size(), c.entries) << c.what;
        EXPECT_EQ(m.state.MinimizeStart, c.minimizeStartAfter) << c.what;
    }
}

TEST(SettingsWindow, ConfirmedInOrder) {
    Main m;
    m.state.UseChromeFrame = true; // the registry value again, also when the mode was on
    const Log log = m.run([&](TFormSettings& f) {
        f.checkBoxClick("CheckBoxSystray");
        f.checkBoxClick("CheckBoxRunOnStart");
        m.open->field = kCtrlShiftQ;
        ok(f);
    });
    EXPECT_EQ(log, concat({{"ontop-", "create (modal)", "shown", "tray-", "taskbar+",
                            "unregister", "register 24657", "on-top setting+",
                            "chrome frame", "post 5/5"},
                           kCleanUp}));
    EXPECT_EQ(m.lists.user.size(), 1u);
    EXPECT_FALSE(m.state.SysTrayIcon);
    EXPECT_EQ(m.state.Hotkey, kCtrlShiftQ);
}

TEST(SettingsWindow, ShortcutHeldElsewhere) {
    struct Case {
        std::vector<uint16_t> refused;
        uint16_t after;
        Log steps;
    } cases[] = {
        // The old one comes back, into the field too.
        {{kCtrlShiftQ}, kDefaultHotkey,
         {"unregister", "register 24657", "register 24643", kProblem}},
        // Neither: no shortcut at all, which is saved as an empty value.
        {{kCtrlShiftQ, kDefaultHotkey}, 0,
         {"unregister", "register 24657", "register 24643", kProblem}},
    };
    for (const Case& c : cases) {
        Main m;
        m.refused = c.refused;
        const Log log = m.run([&](TFormSettings& f) {
            m.open->field = kCtrlShiftQ;
            ok(f);
        });
        EXPECT_EQ(Log(log.begin() + 3, log.begin() + 7), c.steps);
        EXPECT_EQ(m.state.Hotkey, c.after);
        EXPECT_EQ(m.fieldAtEnd, c.after);
        // Without the hint to the settings window.
        EXPECT_EQ(m.messages.texts.back(), hotKeyProblemText(false));
    }
    // The shortcut another program held since the start, unchanged: asked for again, and
    // still held it stays the user's choice (saved as it was).
    {
        Main m;
        m.refused = {kDefaultHotkey};
        const Log log = m.run([&](TFormSettings& f) {
            m.open->field = kDefaultHotkey;
            ok(f);
        });
        EXPECT_EQ(Log(log.begin() + 3, log.begin() + 5), (Log{"register 24643", kProblem}));
        EXPECT_EQ(m.state.Hotkey, kDefaultHotkey);
        EXPECT_EQ(m.fieldAtEnd, kDefaultHotkey);
    }
    // No shortcut chosen: the old one goes and nothing is registered.
    Main m;
    const Log log = m.run([&](TFormSettings& f) {
        m.open->field = 0;
        ok(f);
    });
    EXPECT_EQ(log[3], "unregister");
    EXPECT_EQ(log[4], "on-top setting+");
    EXPECT_EQ(m.state.Hotkey, 0);
}

TEST(SettingsWindow, ShortcutGoesIntoTheFieldWhileTheWindowIsOpen) {
    Main m;
    EXPECT_FALSE(m.command.HotKeyPressed());
    m.state.Hotkey = kCtrlShiftQ;
    bool taken = false;
    m.run([&](TFormSettings& f) {
        m.open->field = kCtrlAltX;
        taken = m.command.HotKeyPressed();
        EXPECT_EQ(m.open->field, kCtrlShiftQ);
        // A hidden window takes it too, but its field stays.
        m.open->visible = false;
        m.open->field = kCtrlAltX;
        EXPECT_TRUE(m.command.HotKeyPressed());
        EXPECT_EQ(m.open->field, kCtrlAltX);
        m.open->visible = true;
        m.open->field = kCtrlShiftQ;
        cancel(f);
    });
    EXPECT_TRUE(taken);
    EXPECT_FALSE(m.command.HotKeyPressed());
}
