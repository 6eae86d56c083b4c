// The DDE server through which other programs poke a word to be looked up: service = the
// program file's name, topic "DdeLookup", item "DdeSearchText", names matched case-blind.
#pragma once

#include <windows.h>

#include <ddeml.h>

#include <functional>
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
    HDDEDATA poke(UINT format, HSZ topic, HSZ item, HDDEDATA data);
    bool matches(HSZ name, HSZ ours) const;
    void stop();

    static DdeServer* instance_;
    DWORD inst_ = 0;
    HSZ service_ = nullptr;
    HSZ topic_ = nullptr;
    HSZ item_ = nullptr;
    PokeHandler onPoke_;
};

} // namespace qlx::win
