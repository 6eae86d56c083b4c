// The news messages: which one opens the messages window, what is remembered as shown, and
// how the window fills its view, opens links and takes keys.
#include <gtest/gtest.h>

#include "FakeSettingsPorts.h"
#include "messages/MessageStore.h"
#include "messages/HtmlSubset.h"
#include "messages/MessagesForm.h"

using namespace qlx;

namespace {

const std::string kPath = "C:\\Data\\quiklex\\bruger1.ini";

struct Dialogs : MessageWinPort {
    std::vector<std::string> texts;
    int32_t MessageWin(DialogOwner owner, const std::string& text, const std::string& caption,
                       TMsgDlgType type, int32_t buttons) override {
        EXPECT_EQ(owner, DialogOwner::none);
        EXPECT_EQ(caption, "Quiklex");
        EXPECT_EQ(type, TMsgDlgType::warning);
        EXPECT_EQ(buttons, 0);
        texts.push_back(text);
        return kResultOk;
    }
};

struct MainWindow : MessageStorePort {
    bool dragging = false;
    bool saveTimer = false;
    std::vector<int32_t> windows; // the index each window was opened with
    std::vector<std::string> log;
    std::function<void(int32_t)> whileOpen; // what the user and the view do meanwhile
    bool textDragOverPanel() override { return dragging; }
    void runMessagesWindow(int32_t index) override {
        windows.push_back(index);
        log.push_back("window");
        if (whileOpen) whileOpen(index);
    }
    void applyOnTop(bool onTop) override { log.push_back(onTop ? "ontop+" : "ontop-"); }
    void setSaveTimer(bool on) override { saveTimer = on; }
};

struct Store : ::testing::Test {
    FakeFileSystem files;
    FakeReporter reporter;
    SettingsStore settings{files, reporter};
    ProgramState form;
    MainWindow window;
    Dialogs dialogs;
    MessageStore store{window, form, settings, dialogs};

    Store() {
        settings.SettingsFilePath = kPath;
        files.files[kPath] = "[Settings]\r\nPrgVersion=0.6.0\r\n";
        // The window shows the message it was opened with, which marks it.
        window.whileOpen = [this](int32_t i) { (*store.received())[i].shown = true; };
    }
    // The file's shown-message lines as the next start reads them.
    void loadShown(const std::string& section) {
        files.files[kPath] = "[ShownMessages]\r\n" + section;
        SettingsValues values;
        settings.LoadSettings(values);
        store.ShownTimestamps = values.ShownTimestamps;
    }
};

} // namespace

TEST_F(Store, FirstUnseenMessageOpensOnceAndOnlyItIsWrittenASecondLater) {
    store.receive(ReceivedMessageList{{"b", "<p>B</p>"}, {"a", "<p>A</p>"}});
    window.whileOpen = [this](int32_t i) {
        EXPECT_TRUE(form.ModalDialogOpen);
        (*store.received())[i].shown = true;
    };
    EXPECT_TRUE(store.ShowNewMessages());
    EXPECT_EQ(window.windows, (std::vector<int32_t>{0}));
    EXPECT_EQ((*store.received())[0].timestamp, "a");
    EXPECT_EQ(window.log, (std::vector<std::string>{"ontop-", "window", "ontop+"}));
    EXPECT_FALSE(form.ModalDialogOpen);
    EXPECT_TRUE(form.NewMessagesDone);
    EXPECT_TRUE(store.ShownMessagesChanged);

    // Nothing is written until the timer's tick.
    EXPECT_TRUE(window.saveTimer);
    EXPECT_EQ(files.files[kPath], "[Settings]\r\nPrgVersion=0.6.0\r\n");
    form.SettingsFileMissing = true;
    store.TimerSaveUserMessagesTimer();
    EXPECT_FALSE(window.saveTimer);
    EXPECT_FALSE(store.ShownMessagesChanged);
    EXPECT_FALSE(form.SettingsFileMissing);
    EXPECT_EQ(files.files[kPath],
              "[Settings]\r\nPrgVersion=0.6.0\r\n\r\n[ShownMessages]\r\nm1=a\r\n\r\n");

    // A request while a window is open does not stack a second one.
    window.whileOpen = [this](int32_t) { store.ShowMessagesWindow(1); };
    store.ShowMessagesWindow(1);
    EXPECT_EQ(window.windows, (std::vector<int32_t>{0, 1}));
    store.ShowMessagesWindow(7); // beyond the list: the window shows that there is none
    EXPECT_EQ(window.windows.back(), -1);
}

TEST_F(Store, ShownLinesCountWhateverTheirKeyAndLetterCase) {
    loadShown(" anything goes = A \r\nm1=\r\n");
    store.receive(ReceivedMessageList{{"a", "<p>A</p>"}, {"b", "<p>B</p>"}});
    EXPECT_TRUE(store.ShowNewMessages());
    EXPECT_EQ(window.windows, (std::vector<int32_t>{1}));
    EXPECT_TRUE((*store.received())[0].shown);
    EXPECT_FALSE(store.ShownTimestamps.has_value()); // used once
}

TEST_F(Store, NothingNewOpensNoWindowAndWritesNothing) {
    struct Case {
        const char* name;
        std::optional<ReceivedMessageList> received;
    };
    const Case cases[] = {
        {"all shown", ReceivedMessageList{{"a", "<p>A</p>"}, {"B", "x"}}},
        {"unshown ones empty", ReceivedMessageList{{"a", "<p>A</p>"}, {"c", ""}}},
        {"no list", std::nullopt},
    };
    for (const Case& c : cases) {
        loadShown("m1=a\r\nm2=b\r\n");
        const std::string before = files.files[kPath];
        window.windows.clear();
        form.NewMessagesDone = false;
        store.receive(c.received);
        EXPECT_FALSE(store.ShowNewMessages()) << c.name;
        EXPECT_TRUE(form.NewMessagesDone) << c.name;
        EXPECT_TRUE(window.windows.empty()) << c.name;
        EXPECT_FALSE(window.saveTimer) << c.name;
        EXPECT_FALSE(store.ShownMessagesChanged) << c.name;
        EXPECT_EQ(files.files[kPath], before) << c.name;
    }
}

TEST_F(Store, AListWithoutShownMessagesErasesTheSection) {
    files.files[kPath] = "[ShownMessages]\r\nm1=old\r\n[Various]\r\nStartDelay=0\r\n";
    store.receive(ReceivedMessageList{{"new", "<p>N</p>"}});
    store.SaveShownMessages();
    EXPECT_EQ(files.files[kPath], "[Various]\r\nStartDelay=0\r\n\r\n");

    // Without a received list nothing is written at all.
    MessageStore none{window, form, settings, dialogs};
    files.files[kPath] = "[ShownMessages]\r\nm1=old\r\n";
    none.SaveShownMessages();
    EXPECT_EQ(files.files[kPath], "[ShownMessages]\r\nm1=old\r\n");
}

TEST_F(Store, DragOverThePanelPutsTheStepOff) {
    store.receive(ReceivedMessageList{{"a", "<p>A</p>"}});
    window.dragging = true;
    EXPECT_FALSE(store.ShowNewMessages());
    EXPECT_FALSE(form.NewMessagesDone);
    EXPECT_TRUE(window.windows.empty());
    window.dragging = false;
    EXPECT_TRUE(store.ShowNewMessages());
}

TEST_F(Store, FailedSaveIsReportedAndKeepsTheShownFlags) {
    store.receive(ReceivedMessageList{{"a", "<p>A</p>", true}});
    form.SettingsFileMissing = true;
    store.ShownMessagesChanged = true;
    files.unreadable.insert(kPath);
    store.SaveShownMessages();
    EXPECT_EQ(dialogs.texts,
              (std::vector<std::string>{
                  "Allerede viste meddelelser kunne ikke registreres i filen \n" + kPath +
                  "\n\nUnders\xF8g om filkataloget eksisterer og\nom du har ret til at skrive i "
                  "kataloget."}));
    EXPECT_TRUE(form.SettingsFileMissing);
    EXPECT_FALSE(store.ShownMessagesChanged);
    EXPECT_TRUE((*store.received())[0].shown);
}

namespace {

struct FakeView : HtmlViewPort {
    bool builtIn = false;
    bool hasBody = true;
    bool busy = false;
    std::vector<std::string> log;
    struct Body : HtmlBody {
        FakeView& view;
        explicit Body(FakeView& v) : view(v) {}
        bool setPage(const std::string& page) override {
            view.log.push_back("page " + page);
            return true;
        }
        void setStyle(const std::string& family, const std::string& margin) override {
            view.log.push_back("style " + family + "; " + margin);
        }
    };
    void Navigate(const std::string& address) override { log.push_back("navigate " + address); }
    bool Busy() override { return busy; }
    std::unique_ptr<HtmlBody> body() override {
        return hasBody ? std::make_unique<Body>(*this) : nullptr;
    }
};

struct Shell : ShellOpenPort {
    std::vector<std::string> opened;
    int32_t openAddress(const std::string& address) override {
        opened.push_back(address);
        return 42;
    }
};

struct Window : Store, MessagesWindowPort {
    FakeView browser, builtIn;
    FakeView* current = &browser;
    bool fillTimer = false;
    int32_t result = 0;
    Shell shell;
    TFormMessages messages{*this, store, shell, dialogs};

    bool builtInMakeable = true;

    Window() {
        builtIn.builtIn = true;
        EXPECT_TRUE(messages.ViewCreated(true));
    }
    HtmlViewPort& view() override { return *current; }
    bool useBuiltInView() override {
        if (current == &builtIn || !builtInMakeable) return false;
        current = &builtIn;
        return true;
    }
    void setFillTimer(bool on) override { fillTimer = on; }
    void setModalResult(int32_t r) override { result = r; }

    // Shows message index of the list; returns what the view was given.
    std::vector<std::string> show(int32_t index) {
        messages.CurrentIndex = index;
        messages.FormShow();
        EXPECT_TRUE(fillTimer);
        messages.CppWebBrowser1DocumentComplete();
        return current->log;
    }
};

const std::string kStyle = "style Arial, Helvetica, sans-serif; 7px";
const std::string kBlank = "navigate about:<p></p>";

std::string page(const std::string& html) { return "page " + messagePage(html); }

} // namespace

TEST(MessagesLayout, TheWindowsTable) {
    const FormDesc form = messagesFormLayout();
    EXPECT_EQ(form.windowClass, "TFormMessages");
    EXPECT_EQ(form.caption, " Quiklex - meddelelse");
    EXPECT_EQ(
        (std::vector<int>{form.clientWidth, form.clientHeight, form.minWidth, form.minHeight}),
        (std::vector<int>{539, 366, 400, 400}));
    const ControlDesc* single = form.find("PanelSingle");
    EXPECT_EQ(single->colour, kWhite);
    EXPECT_EQ(single->anchors, 15);
    const ControlDesc* view = form.find("CppWebBrowser1");
    EXPECT_EQ(view->kind, ControlKind::HtmlView);
    EXPECT_EQ(view->parent, "PanelSingle");
    EXPECT_EQ(view->box, (ControlBox{8, 11, 521, 326}));
    const ControlDesc* bottom = form.find("PanelBottom");
    EXPECT_EQ(bottom->align, Align::Bottom);
    EXPECT_EQ(bottom->box.height, 28);
    EXPECT_EQ(bottom->colour, 0x5C743Eu);
    const ControlDesc* ok = form.find("ButtonClose");
    EXPECT_EQ(ok->parent, "PanelBottom");
    EXPECT_EQ(ok->box, (ControlBox{34, 6, 45, 17}));
    EXPECT_EQ(ok->caption(), "OK");
    EXPECT_EQ(ok->font, (FontDesc{12, true, false, kWhite, "Arial"}));
    EXPECT_EQ(ok->modalResult, kResultOk);
}

TEST_F(Window, FillsOnlyThePendingPageAndMarksWhatItShows) {
    store.receive(ReceivedMessageList{{"a", "<p>A</p>"}, {"b", ""}});
    struct Case {
        int32_t index;
        std::string html;
        std::vector<bool> shown;
    };
    const Case cases[] = {
        {0, "<p>A</p>", {true, false}},
        {1, "(tom)", {true, true}},
        {2, "", {true, true}}, // beyond the end: an empty page
        {-1, "Der er ingen meddelelser", {true, true}},
    };
    for (const Case& c : cases) {
        browser.log.clear();
        EXPECT_EQ(show(c.index), (std::vector<std::string>{kBlank, page(c.html), kStyle}))
            << c.index;
        EXPECT_FALSE(fillTimer);
        EXPECT_EQ((std::vector<bool>{(*store.received())[0].shown, (*store.received())[1].shown}),
                  c.shown)
            << c.index;
    }
    // A later page (a link followed inside the view) changes nothing.
    messages.CppWebBrowser1DocumentComplete();
    EXPECT_EQ(browser.log.size(), 3u);

    MessageStore none{window, form, settings, dialogs};
    TFormMessages empty{*this, none, shell, dialogs};
    browser.log.clear();
    empty.CurrentIndex = 0;
    empty.FormShow();
    empty.CppWebBrowser1DocumentComplete();
    EXPECT_EQ(browser.log[1], page("Der er ingen meddelelser"));
}

TEST_F(Window, TheBuiltInViewTakesOverWhenTheBrowserCannotShowThePage) {
    store.receive(ReceivedMessageList{{"a", "<p>A</p>"}});
    struct Case {
        const char* name;
        bool made;                                     // the browser control could be made
        std::function<void(TFormMessages&)> meanwhile; // after FormShow
        bool builtInShows;
    };
    const Case cases[] = {
        {"no browser control", false, [](TFormMessages&) {}, true},
        {"a failed navigation", true, [](TFormMessages& m) { m.CppWebBrowser1NavigateError(); },
         true},
        {"no page after the whole wait", true, [](TFormMessages& m) { m.FillTimerTimer(); }, true},
        {"a page without a document", true,
         [this](TFormMessages& m) {
             browser.hasBody = false;
             m.CppWebBrowser1DocumentComplete();
             browser.hasBody = true;
         },
         true},
        {"a slow page", true, [](TFormMessages&) {}, false},
    };
    for (const Case& c : cases) {
        current = &browser;
        browser.log.clear();
        builtIn.log.clear();
        (*store.received())[0].shown = false;
        TFormMessages m{*this, store, shell, dialogs};
        EXPECT_TRUE(m.ViewCreated(c.made)) << c.name;
        m.CurrentIndex = 0;
        m.FormShow();
        c.meanwhile(m);
        EXPECT_EQ(current, c.builtInShows ? &builtIn : &browser) << c.name;
        EXPECT_TRUE(m.FillPending) << c.name;
        EXPECT_TRUE(fillTimer) << c.name; // the new view's wait
        m.CppWebBrowser1DocumentComplete();
        EXPECT_EQ(current->log, (std::vector<std::string>{kBlank, page("<p>A</p>"), kStyle}))
            << c.name;
        EXPECT_TRUE((*store.received())[0].shown) << c.name;
        // Once the page is there, a failing link inside the view changes nothing.
        m.CppWebBrowser1NavigateError();
        m.FillTimerTimer();
        EXPECT_EQ(current, c.builtInShows ? &builtIn : &browser) << c.name;
    }
}

TEST_F(Window, WhenTheBuiltInViewCannotShowThePageTheMessageStaysUnseen) {
    store.receive(ReceivedMessageList{{"a", "<p>A</p>"}});
    // Its page has no document, or never comes.
    for (const bool timeout : {false, true}) {
        TFormMessages m{*this, store, shell, dialogs};
        current = &browser;
        m.ViewCreated(false);
        builtIn.hasBody = false;
        m.CurrentIndex = 0;
        m.FormShow();
        if (timeout)
            m.FillTimerTimer();
        else
            m.CppWebBrowser1DocumentComplete();
        EXPECT_FALSE(m.FillPending) << timeout;
        EXPECT_FALSE((*store.received())[0].shown) << timeout;
    }
    // Neither view can be made: the window has none.
    builtInMakeable = false;
    current = &browser;
    TFormMessages none{*this, store, shell, dialogs};
    EXPECT_FALSE(none.ViewCreated(false));
    // A failing browser with no built-in view to take over gives up on the page.
    TFormMessages failing{*this, store, shell, dialogs};
    failing.ViewCreated(true);
    failing.FormShow();
    failing.CppWebBrowser1NavigateError();
    EXPECT_FALSE(failing.FillPending);
    EXPECT_FALSE(fillTimer);
}

TEST_F(Window, NewWindowLinksTheUserFollowedGoToTheBrowserThroughThePageOpening) {
    struct Case {
        const char* address;
        bool user;
        std::vector<std::string> opened;
        size_t refusals;
    };
    const Case cases[] = {
        {"http://www.lemmary.dk/nyt", true, {"http://www.lemmary.dk/nyt"}, 0},
        {"http://www.lemmary.dk/nyt", false, {}, 0}, // not asked for by the user
        {"", true, {}, 0},
        {"javascript:alert(1)", true, {}, 1},
        {"file:///c:/windows/win.ini", true, {}, 1},
        {"http://a\" --x \"", true, {}, 1},
        {"http://www.lemmary.dk@evil.example/", true, {}, 1},
    };
    for (const Case& c : cases) {
        shell.opened.clear();
        dialogs.texts.clear();
        bool cancel = false;
        messages.CppWebBrowser1NewWindow3(c.address, c.user, cancel);
        EXPECT_TRUE(cancel) << c.address;
        EXPECT_EQ(shell.opened, c.opened) << c.address;
        EXPECT_EQ(dialogs.texts.size(), c.refusals) << c.address;
    }
}

TEST_F(Window, TheViewNeverLeavesItsOwnPage) {
    struct Step {
        const char* address;
        bool topLevel;
        bool cancel;
        std::vector<std::string> opened;
    };
    // In order: the window's own blank page once, then what a page could ask for.
    const Step steps[] = {
        {"about:<p></p>", false, true, {}},  // a frame, even at the blank page's address
        {"about:<p></p><script>", true, true, {}},
        {"about:<p></p>", true, false, {}}, // the window's own, exactly
        {"about:<p></p>", true, true, {}},  // only once
        {"about:blank", true, true, {}},
        {"http://www.lemmary.dk/nyt", false, true, {}}, // frames load nothing
        {"http://www.lemmary.dk/nyt", true, true, {"http://www.lemmary.dk/nyt"}},
        {"HTTPS://www.lemmary.dk/", true, true, {"HTTPS://www.lemmary.dk/"}},
        {"file://server/share/a.css", true, true, {}},
        {"res://ieframe.dll/x", true, true, {}},
        {"gcf:http://www.lemmary.dk/", true, true, {}},
    };
    messages.FormShow();
    for (const Step& s : steps) {
        shell.opened.clear();
        bool cancel = !s.cancel;
        messages.CppWebBrowser1BeforeNavigate2(s.address, s.topLevel, cancel);
        EXPECT_EQ(cancel, s.cancel) << s.address << " " << s.topLevel;
        EXPECT_EQ(shell.opened, s.opened) << s.address;
    }
    // A web link that fails the address check is refused with the page opening's message.
    dialogs.texts.clear();
    bool cancel = false;
    messages.CppWebBrowser1BeforeNavigate2("http://a\" --x", true, cancel);
    EXPECT_TRUE(cancel);
    EXPECT_TRUE(shell.opened.empty());
    EXPECT_EQ(dialogs.texts.size(), 1u);
}

TEST_F(Window, EscClosesWithCancelEnterAndKey43GoToTheView) {
    using Route = TFormMessages::KeyRoute;
    struct Case {
        bool key;
        uint32_t vk;
        bool busy;
        Route route;
    };
    const Case cases[] = {
        {true, 27, false, Route::Closed}, {true, 27, true, Route::Closed},
        {true, 13, false, Route::ToView}, {true, 43, false, Route::ToView},
        {true, 13, true, Route::None},    {true, 9, false, Route::None},
        {false, 27, false, Route::None},
    };
    for (const Case& c : cases) {
        result = 0;
        browser.busy = c.busy;
        EXPECT_EQ(messages.ApplicationEvents1Message(c.key, c.vk), c.route) << c.vk;
        EXPECT_EQ(result, c.route == Route::Closed ? kResultCancel : 0) << c.vk;
    }
    messages.ButtonCloseClick();
    EXPECT_EQ(result, kResultOk);
}

TEST(MessagesView, ThePageIsTheProgramsOwnInStandardsMode) {
    const std::string page = messagePage("<p style='x'>Hej <b>du</b></p><style>p{}</style>");
    EXPECT_EQ(page.rfind("<!DOCTYPE html><html><head>", 0), 0u);
    EXPECT_NE(page.find("<meta http-equiv=\"X-UA-Compatible\" content=\"IE=edge\">"),
              std::string::npos);
    EXPECT_NE(page.find("font-family:Arial, Helvetica, sans-serif;margin:7px"), std::string::npos);
    EXPECT_NE(page.find("<body><p>Hej <b>du</b></p></body></html>"), std::string::npos);
    // The built-in view reads the same page to what the message itself gives.
    EXPECT_EQ(htmlToRichText(page), htmlToRichText("<p>Hej <b>du</b></p>"));
}
