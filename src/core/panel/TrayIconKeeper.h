// Keeps the notification-area icon there while the user wants it: a shell that is not ready
// yet (a start at sign-in) refuses the icon, and a taskbar that restarts forgets it, so the
// icon is asked for again, and the taskbar button stands in for it while it is missing.
#pragma once

#include <cstdint>

namespace qlx {

// What keeping the icon needs of the window layer.
class TrayIconPort {
public:
    virtual ~TrayIconPort() = default;
    // Adds the icon with its image at this size; true when the icon is there afterwards (also
    // when the shell had kept it), false when the shell refused it. Throws when adding raised
    // an error.
    virtual bool addTrayIcon(int32_t imageSize) = 0;
    virtual void removeTrayIcon() = 0;
    // Gives the icon an image of this size; false when the shell no longer has the icon.
    virtual bool setTrayIconImage(int32_t imageSize) = 0;
    // The image size the notification area wants now.
    virtual int32_t trayIconImageSize() = 0;
    virtual void showTaskbarButton(bool show) = 0;
    // Starts (or restarts) the retry timer with this period; the window layer then calls
    // TrayIconKeeper::retryTimer each time it fires.
    virtual void startTrayIconTimer(uint32_t periodMs) = 0;
    virtual void stopTrayIconTimer() = 0;
};

class TrayIconKeeper {
public:
    // A refused icon is asked for this often at first (the taskbar of a sign-in is usually
    // there within seconds), and after that many tries this often.
    static constexpr uint32_t kQuickRetryMs = 2000;
    static constexpr int kQuickRetries = 30;
    static constexpr uint32_t kSlowRetryMs = 30000;

    explicit TrayIconKeeper(TrayIconPort& port) : port_(port) {}

    enum class Added { Yes, Refused, Failed };
    // The icon is wanted (at creation, or the setting was turned on): it is added now or, when
    // the shell refuses it or adding fails, asked for again on the timer while the taskbar
    // button stays. Failed: adding raised an error, which the caller reports.
    Added show();
    // The icon is no longer wanted (the setting was turned off, or the program ends): it goes,
    // and nothing brings it back until show.
    void hide();
    void retryTimer();
    // The taskbar was created anew (it restarted): it knows no icon; the wanted one is added.
    void taskbarCreated();
    // The scale may have changed: an icon that is there gets an image of the size now wanted.
    void scaleMayHaveChanged();
    // Every request of the program to show or hide its taskbar button passes here: while the
    // icon is wanted but missing, the button stays, since it is then the user's way back.
    void taskbarButtonRequested(bool show);

    bool wanted() const { return wanted_; }
    bool present() const { return present_; }

private:
    // Adds the icon once; false when it is not there afterwards.
    bool tryAdd(bool& failed);
    // Adds the icon, or keeps the taskbar button and asks again later; true when the shell
    // failed rather than refused.
    bool addOrWait();
    // The icon is not there: asked for again on the timer, from the quick rhythm on.
    void missing();
    void setTimer(uint32_t periodMs);
    void stopTimer();
    void applyTaskbarButton(bool always);

    TrayIconPort& port_;
    bool wanted_ = false;
    bool present_ = false;
    int32_t imageSize_ = 0;
    int retries_ = 0;          // tries since the icon went missing
    uint32_t timerPeriod_ = 0; // 0: the timer is off
    bool buttonRequested_ = false;
    bool buttonShown_ = false; // as last passed on; hidden until the program asks
};

} // namespace qlx
