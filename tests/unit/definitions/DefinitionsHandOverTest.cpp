// The GUI thread takes over only the finished downloads it started itself.
#include <gtest/gtest.h>

#include <thread>

#include "definitions/DefinitionsHandOver.h"

using namespace qlx;

namespace {
struct Worker {
    HandOverMark handOver;
    int result = 0;
};
} // namespace

TEST(DefinitionsHandOver, OnlyRegisteredFinishedWorkersOnceEach) {
    DefinitionsHandOver<Worker> list;
    Worker a, b, stranger, failed;
    list.add(&a);
    list.add(&b);
    list.add(&failed);
    list.remove(&failed); // its thread could not be started
    stranger.handOver.finish();
    EXPECT_TRUE(list.takeFinished().empty()); // a wake-up before anything finished

    b.handOver.finish();
    failed.handOver.finish();
    EXPECT_EQ(list.takeFinished(), std::vector<Worker*>{&b});
    EXPECT_TRUE(list.takeFinished().empty()); // a second wake-up for the same worker
    a.handOver.finish();
    EXPECT_EQ(list.takeFinished(), std::vector<Worker*>{&a});
    EXPECT_EQ(list.size(), 0u);
}

// The worker's result is complete when the GUI thread sees the mark.
TEST(DefinitionsHandOver, TheResultIsCompleteOnceMarked) {
    DefinitionsHandOver<Worker> list;
    Worker w;
    list.add(&w);
    std::thread worker([&] {
        w.result = 42;
        w.handOver.finish();
    });
    std::vector<Worker*> taken;
    while (taken.empty()) taken = list.takeFinished();
    EXPECT_EQ(taken.front()->result, 42);
    worker.join();
}
