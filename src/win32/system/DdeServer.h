// The DDE server through which other programs poke a word to be looked up: service = the
// program file's name, topic "DdeLookup", item "DdeSearchText", names matched case-blind.
// It answers on a thread of its own, so a poking program gets its acknowledgement as soon as
// the text is taken, never after the browser has been started for the last one (which can take
// seconds), and a new conversation is answered while the window thread is busy; the texts go
// to the handler on the thread that started the server, in the order they came.
#pragma once

#include <windows.h>

#include <ddeml.h>

#include <deque>
#include <functional>
#include <mutex>
#include <string>

namespace qlx::win {

class DdeServer {
public:
    // Gets the deciding beginning of the poked text's first line, in Windows-1252.
    using PokeHandler = std::function<void(const std::string& firstLine)>;

    DdeServer() = default;
    DdeServer(const DdeServer&) = delete;
    DdeServer& operator=(const DdeServer&) = delete;
    ~DdeServer();

    // Registers the service; false when DDE is not available.
    bool start(const std::wstring& service, PokeHandler onPoke);

private:
    static HDDEDATA CALLBACK callback(UINT type, UINT format, HCONV, HSZ hsz1, HSZ hsz2,
                                      HDDEDATA data, ULONG_PTR, ULONG_PTR);
    static DWORD WINAPI threadEntry(void* self);
    static LRESULT CALLBACK handOverProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // On the server's thread.
    bool initialize();
    void uninitialize();
    HDDEDATA poke(UINT format, HSZ topic, HSZ item, HDDEDATA data);
    bool matches(HSZ name, HSZ ours) const;
    // On the thread that started the server.
    void handOver();
    void stop();

    static DdeServer* instance_;
    std::wstring serviceName_;
    HANDLE thread_ = nullptr;
    DWORD threadId_ = 0;
    HANDLE started_ = nullptr;
    bool running_ = false;
    HWND handOverWindow_ = nullptr;
    DWORD inst_ = 0;
    HSZ service_ = nullptr;
    HSZ topic_ = nullptr;
    HSZ item_ = nullptr;
    std::mutex pokedLock_;
    std::deque<std::string> poked_;
    PokeHandler onPoke_;
};

} // namespace qlx::win
