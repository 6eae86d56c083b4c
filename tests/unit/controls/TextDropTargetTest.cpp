// The text drop target: interfaces answered, reference counting, shift states, the text of a
// dropped block and the events raised by the four calls, with scripted data objects.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "controls/TextDropTarget.h"

using namespace qlx;

namespace {
struct Counted : RefCounted {
    bool* destroyed;
    explicit Counted(bool* d) : destroyed(d) {}
    ~Counted() override { *destroyed = true; }
};

// A data object with a scripted answer and a memory block like the system's (rounded up).
struct FakeData : TextDropData {
    int32_t queryStatus = kStatusOk;
    int32_t getStatus = kStatusOk;
    std::vector<char> block;
    int gets = 0;
    explicit FakeData(const std::string& text = "", size_t blockSize = 0) {
        block.assign(std::max(blockSize, text.size() + 1), '\0');
        std::memcpy(block.data(), text.data(), text.size());
    }
    int32_t queryText() override { return queryStatus; }
    int32_t getText(std::string& text) override {
        ++gets;
        if (getStatus < 0) return getStatus;
        text = textOfBlock(block.data(), block.size());
        return getStatus;
    }
};

struct Events {
    std::vector<std::string> log;
    void attach(TextDropTarget& t) {
        t.OnDragEnter = [this](int x, int y, ShiftState) { log.push_back("enter " + xy(x, y)); };
        t.OnDragOver = [this](int x, int y, ShiftState) { log.push_back("over " + xy(x, y)); };
        t.OnDragLeave = [this] { log.push_back("leave"); };
        t.OnDrop = [this](int x, int y, ShiftState, const std::string& text) {
            log.push_back("drop " + xy(x, y) + " " + text);
        };
    }
    static std::string xy(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
};

const InterfaceId kOther{0x0000010E, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}}; // IDataObject
} // namespace

TEST(DropTargetObject, ReferenceCountingAndInterfaces) {
    bool destroyed = false;
    auto* object = new Counted(&destroyed);
    int asInterface = 0;
    void* result = &asInterface;

    EXPECT_EQ(queryDropTargetInterface(*object, &asInterface, kOther, &result), kStatusNoInterface);
    EXPECT_EQ(result, nullptr);
    EXPECT_EQ(queryDropTargetInterface(*object, &asInterface, kOther, nullptr), kStatusNullPointer);

    EXPECT_EQ(queryDropTargetInterface(*object, &asInterface, kUnknownInterface, &result), kStatusOk);
    EXPECT_EQ(result, &asInterface);
    EXPECT_EQ(queryDropTargetInterface(*object, &asInterface, kDropTargetInterface, &result),
              kStatusOk);
    // The creator's reference plus one per answered query.
    EXPECT_EQ(object->addRef(), 4u);
    EXPECT_EQ(object->release(), 3u);
    EXPECT_EQ(object->release(), 2u);
    EXPECT_EQ(object->release(), 1u);
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(object->release(), 0u);
    EXPECT_TRUE(destroyed);
}

TEST(DropTargetObject, ShiftStates) {
    EXPECT_EQ(shiftStateOf(0), ShiftState{});
    EXPECT_EQ(shiftStateOf(kKeyControl | kKeyLeftButton),
              (ShiftState{.ctrl = true, .left = true}));
    EXPECT_EQ(shiftStateOf(0x3F), (ShiftState{true, true, true, true, true, true}));
    EXPECT_EQ(shiftStateOf(kKeyShift), ShiftState{.shift = true});
    EXPECT_EQ(shiftStateOf(kKeyAlt | kKeyRightButton | kKeyMiddleButton),
              (ShiftState{.alt = true, .right = true, .middle = true}));
}

TEST(DropTargetObject, BlockTextEndsAtTheFirstZero) {
    const char rounded[16] = "hus";
    EXPECT_EQ(textOfBlock(rounded, sizeof rounded), "hus");
    EXPECT_EQ(textOfBlock("abcdef", 3), "abc"); // no zero inside the block
    EXPECT_EQ(textOfBlock("\0abc", 4), "");
    EXPECT_EQ(textOfBlock(nullptr, 10), "");
}

TEST(TextDropTargetCalls, TextIsEnteredDraggedAndDropped) {
    TextDropTarget target;
    Events events;
    events.attach(target);
    FakeData data("r\xF8" "d\r\nbil", 64);
    ShiftState seen;
    target.OnDragOver = [&](int, int, ShiftState s) { seen = s; };

    uint32_t effect = 0;
    EXPECT_EQ(target.DragEnter(data, kKeyLeftButton, 10, 20, effect), kStatusOk);
    EXPECT_EQ(effect, kDropEffectCopy);
    effect = 0;
    EXPECT_EQ(target.DragOver(kKeyControl | kKeyLeftButton, 11, 21, effect), kStatusOk);
    EXPECT_EQ(effect, kDropEffectCopy);
    EXPECT_EQ(seen, (ShiftState{.ctrl = true, .left = true}));
    EXPECT_EQ(target.Drop(data, 0, 12, 22), kStatusOk);
    EXPECT_EQ(events.log, (std::vector<std::string>{"enter 10,20", "drop 12,22 r\xF8" "d\r\nbil"}));

    events.log.clear();
    EXPECT_EQ(target.DragLeave(), kStatusOk);
    EXPECT_EQ(events.log, std::vector<std::string>{"leave"});
}

TEST(TextDropTargetCalls, DataWithoutTextIsRefused) {
    TextDropTarget target;
    Events events;
    events.attach(target);
    FakeData files;
    files.queryStatus = kStatusFormatRefused;
    files.getStatus = kStatusFormatRefused;
    uint32_t effect = 0;
    EXPECT_EQ(target.DragEnter(files, 0, 0, 0, effect), kStatusFormatRefused);
    EXPECT_EQ(target.Drop(files, 0, 0, 0), kStatusFormatRefused);
    EXPECT_TRUE(events.log.empty());

    // A "yes, but" answer is a refusal too.
    files.queryStatus = 1;
    EXPECT_EQ(target.DragEnter(files, 0, 0, 0, effect), kStatusFormatRefused);
    EXPECT_TRUE(events.log.empty());
}

TEST(TextDropTargetCalls, WithoutHandlersNothingIsRead) {
    TextDropTarget target;
    FakeData data("hus");
    uint32_t effect = 0;
    EXPECT_EQ(target.DragEnter(data, 0, 0, 0, effect), kStatusOk);
    EXPECT_EQ(target.DragOver(0, 0, 0, effect), kStatusOk);
    EXPECT_EQ(target.DragLeave(), kStatusOk);
    EXPECT_EQ(target.Drop(data, 0, 0, 0), kStatusOk);
    EXPECT_EQ(data.gets, 0);
}
