// The DDE server answers pokes while the thread that started it reads no messages (as when it
// is starting a browser), and hands their texts over, in order, once that thread reads again.
#include <gtest/gtest.h>

#include <windows.h>

#include <ddeml.h>

#include <string>
#include <thread>
#include <vector>

#include "win32/system/DdeServer.h"

namespace {

HDDEDATA CALLBACK clientCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    return nullptr;
}

// Pokes each text in a conversation of its own, from a thread of its own, as another program
// would; returns how many were acknowledged within 5 s each.
int pokeFromAnotherThread(const wchar_t* service, const std::vector<std::string>& texts) {
    int acknowledged = 0;
    std::thread poker([&] {
        DWORD inst = 0;
        if (DdeInitializeW(&inst, clientCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) return;
        HSZ hService = DdeCreateStringHandleW(inst, service, CP_WINUNICODE);
        HSZ hTopic = DdeCreateStringHandleW(inst, L"ddelookup", CP_WINUNICODE);
        HSZ hItem = DdeCreateStringHandleW(inst, L"DDESEARCHTEXT", CP_WINUNICODE);
        for (const std::string& text : texts) {
            HCONV conv = DdeConnect(inst, hService, hTopic, nullptr);
            if (!conv) continue;
            std::string bytes = text + '\0';
            DWORD result = 0;
            if (DdeClientTransaction(reinterpret_cast<BYTE*>(bytes.data()),
                                     static_cast<DWORD>(bytes.size()), conv, hItem, CF_TEXT,
                                     XTYP_POKE, 5000, &result) &&
                (result & DDE_FACK) != 0)
                ++acknowledged;
            DdeDisconnect(conv);
        }
        for (HSZ name : {hService, hTopic, hItem}) DdeFreeStringHandle(inst, name);
        DdeUninitialize(inst);
    });
    poker.join();
    return acknowledged;
}

} // namespace

TEST(DdeServer, AnswersWhileItsStarterIsBusyAndHandsOverInOrder) {
    std::vector<std::string> taken;
    {
        qlx::win::DdeServer server;
        ASSERT_TRUE(server.start(L"QlxDdeTest",
                                 [&](const std::string& line) { taken.push_back(line); }));
        // This thread reads no messages while the pokes come.
        EXPECT_EQ(pokeFromAnotherThread(L"qlxddetest", {"hund", "kat\r\nmus", "hest"}), 3);
        EXPECT_TRUE(taken.empty());
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        EXPECT_EQ(taken, (std::vector<std::string>{"hund", "kat", "hest"}));
    }
    // Ended: the service is gone.
    EXPECT_EQ(pokeFromAnotherThread(L"QlxDdeTest", {"ko"}), 0);
}
