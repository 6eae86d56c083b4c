// The main window's application, panel window and feature steps in one fake that records every call as a word and answers from settable fields.
#pragma once

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/ApplicationPort.h"
#include "app/FormMainSteps.h"
#include "panel/PanelWindowPort.h"

class FakeFormMainPort : public qlx::ApplicationPort,
                         public qlx::PanelWindowPort,
                         public qlx::FormMainSteps {
public:
    std::vector<std::string> calls;
    bool timerRunning = false;
    bool hotKeyOk = true;
    bool trayOk = true;
    bool settingsLocationOk = true;
    bool messagesReceived = false;
    bool messagesChanged = false;
    bool throwOnSave = false;
    bool capturesShortcut = false;
    int screen = 1024;
    int dpi = 96;
    std::function<void()> onLoadSettings;

    bool called(const std::string& word) const {
        return std::find(calls.begin(), calls.end(), word) != calls.end();
    }
    size_t count(const std::string& word) const {
        return static_cast<size_t>(std::count(calls.begin(), calls.end(), word));
    }

    void restoreApplication() override { calls.push_back("restore"); }
    void bringAllToFront() override { calls.push_back("front"); }
    void liftOpenWindows() override { calls.push_back("lift"); }
    void minimizeApplication() override { calls.push_back("minimize"); }
    void showTaskbarButton(bool show) override { calls.push_back(show ? "taskbar+" : "taskbar-"); }
    void postFinishCreation() override { calls.push_back("post finish"); }
    void postCommand(uint16_t w, int32_t l) override {
        calls.push_back("post " + std::to_string(w) + "/" + std::to_string(l));
    }
    void sleepMs(uint32_t ms) override { calls.push_back("sleep " + std::to_string(ms)); }
    void startStartupTimer() override { timerRunning = true, calls.push_back("timer+"); }
    void stopStartupTimer() override { timerRunning = false, calls.push_back("timer-"); }
    bool startupTimerRunning() override { return timerRunning; }
    void setPanelBounds(int l, int t, int w, int h) override {
        calls.push_back("bounds " + std::to_string(l) + "," + std::to_string(t) + "," +
                        std::to_string(w) + "," + std::to_string(h));
    }
    int screenWidth() override { return screen; }
    int screenDpi() override { return dpi; }
    qlx::Dimension screenSize() override { return {0, 0, 768, screen}; }
    bool panelZoomed() override { return false; }
    void setOnTopCheckMarks(bool) override {}
    void openTrayMenuAtCursor() override { calls.push_back("tray menu"); }
    void openTrayMenuAt(int32_t x, int32_t y) override {
        calls.push_back("tray menu " + std::to_string(x) + "," + std::to_string(y));
    }
    void endProgram() override { calls.push_back("end"); }
    void showMessage(const std::string& text) override { calls.push_back("message " + text); }
    bool determineSettingsLocation() override {
        calls.push_back("location");
        return settingsLocationOk;
    }
    void checkMachineAutostart() override { calls.push_back("autostart check"); }
    void loadSettings() override {
        calls.push_back("load");
        if (onLoadSettings) onLoadSettings();
    }
    bool setLookupHotKey(uint16_t h) override {
        calls.push_back("hotkey " + std::to_string(h));
        return hotKeyOk;
    }
    bool addTrayIcon() override {
        calls.push_back("tray+");
        return trayOk;
    }
    void removeTrayIcon() override { calls.push_back("tray-"); }
    bool failDefinitions = false;
    void startReadDefinitions() override {
        calls.push_back("definitions");
        if (failDefinitions) throw std::runtime_error("no thread");
    }
    void layoutPanel() override { calls.push_back("layout"); }
    void applyOnTop(bool on) override { calls.push_back(on ? "ontop+" : "ontop-"); }
    void registerDropTarget() override { calls.push_back("drop"); }
    void firstStartOfVersion() override { calls.push_back("first start of version"); }
    void lookupHotKeyFirstShow(bool allowed) override {
        calls.push_back(allowed ? "hotkey message allowed" : "hotkey message left out");
    }
    void showHotKeyProblem() override { calls.push_back("hotkey problem"); }
    void lookupClipboard() override { calls.push_back("lookup"); }
    void lookupShortcutText() override { calls.push_back("lookup shortcut"); }
    bool hasReceivedMessages() override { return messagesReceived; }
    void showNewMessages() override { calls.push_back("new messages"); }
    void openSettingsWindow() override { calls.push_back("settings window"); }
    bool shortcutCaptured() override { return capturesShortcut; }
    void welcomeFlow() override { calls.push_back("welcome"); }
    void openProgramInfoPage() override { calls.push_back("info page"); }
    void saveSettings() override { calls.push_back("save"); }
    void saveOnExit() override {
        calls.push_back("save on exit");
        if (throwOnSave) throw std::runtime_error("disk full");
    }
    void saveShownMessages() override { calls.push_back("save messages"); }
    bool shownMessagesChanged() override { return messagesChanged; }
    void trayIconCallback(int32_t l, uintptr_t) override { calls.push_back("tray " + std::to_string(l)); }
};
