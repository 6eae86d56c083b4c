// When the messages window gives up on the browser control: the events it reports, in order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "messages/BrowserFallback.h"

using namespace qlx;

TEST(BrowserFallback, OnlyAControlThatCannotShowThePageGivesWay) {
    // Events: "made" or "none" (the control could be made or not), "ask" (the page is asked
    // for), "error" (a failed navigation), "page" or "empty" (complete with or without a
    // document), or a number of milliseconds passing.
    struct Case {
        const char* name;
        std::vector<std::string> events;
        int fallsBackAt; // the event that asks for the built-in view, or -1
    };
    const Case cases[] = {
        {"no control", {"none", "ask", "error", "20000", "empty"}, 0},
        {"a page in time", {"made", "ask", "19999", "page", "20000"}, -1},
        {"a slow machine's page", {"made", "ask", "5000", "5000", "5000", "4999", "page"}, -1},
        {"nothing in 20 s", {"made", "ask", "10000", "9999", "1", "page"}, 4},
        {"nothing at all", {"made", "ask", "4294967295", "4294967295"}, 2},
        {"a failed navigation", {"made", "ask", "error", "error", "20000"}, 2},
        {"a page without a document", {"made", "ask", "empty", "error"}, 2},
        {"failures after the page", {"made", "ask", "page", "error", "empty", "20000"}, -1},
        {"nothing asked yet", {"made", "error", "empty", "20000"}, -1},
        {"a new page's wait starts anew", {"made", "ask", "15000", "ask", "15000", "page"}, -1},
    };
    for (const Case& c : cases) {
        BrowserFallback f;
        int at = -1;
        for (size_t i = 0; i < c.events.size(); ++i) {
            const std::string& e = c.events[i];
            bool fallBack = false;
            if (e == "made" || e == "none")
                fallBack = f.created(e == "made");
            else if (e == "ask")
                f.pageRequested();
            else if (e == "error")
                fallBack = f.navigateError();
            else if (e == "page" || e == "empty")
                fallBack = f.documentComplete(e == "page");
            else
                fallBack = f.timePassed(static_cast<uint32_t>(std::stoul(e)));
            if (fallBack) {
                EXPECT_EQ(at, -1) << c.name << ": a second fallback at " << i;
                at = static_cast<int>(i);
            }
        }
        EXPECT_EQ(at, c.fallsBackAt) << c.name;
        EXPECT_EQ(f.browser(), c.fallsBackAt < 0) << c.name;
    }
}
