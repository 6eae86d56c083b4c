// The first start's options and the command word a second start forwards.
#include <gtest/gtest.h>

#include "Text.h"
#include "app/CommandLine.h"

using namespace qlx;
using Args = std::vector<std::string>;

TEST(ForwardedCommand, ClipboardInAnyCaseAndPosition) {
    EXPECT_EQ(forwardedCommandFromArgs({}), 0);
    EXPECT_EQ(forwardedCommandFromArgs({"-CLIPboard"}), 0xFFFF);
    EXPECT_EQ(forwardedCommandFromArgs({"x", "-a", "-Clipboard", "y"}), 0xFFFF);
    EXPECT_EQ(forwardedCommandFromArgs({"-clipboardx"}), 0);
}

TEST(ForwardedCommand, HelpWithExactlyTwoArguments) {
    EXPECT_EQ(forwardedCommandFromArgs({"-help", "65535"}), 0xFFFF);
    EXPECT_EQ(forwardedCommandFromArgs({"-HELP", "-1"}), 0xFFFF);
    EXPECT_EQ(forwardedCommandFromArgs({"-help", "0"}), 0);
    EXPECT_EQ(forwardedCommandFromArgs({"-help", "word"}), 0);
    EXPECT_EQ(forwardedCommandFromArgs({"-help", "70000"}), 4464);
    EXPECT_EQ(forwardedCommandFromArgs({"-help", "$FFFF"}), 0xFFFF);
    // The "-help" rule skips the scan, so "-clipboard" as its word is no number: show only.
    EXPECT_EQ(forwardedCommandFromArgs({"-help", "-clipboard"}), 0);
    // Three arguments: the rule does not apply and the scan finds "-clipboard".
    EXPECT_EQ(forwardedCommandFromArgs({"-help", "5", "-clipboard"}), 0xFFFF);
    EXPECT_EQ(forwardedCommandFromArgs({"-help", "5", "x"}), 0);
}

TEST(StartOptions, FlagsInAnyCase) {
    StartOptions o = parseStartOptions({"-AUTO", "-noInitMessage", "-Minimize", "-c", "-help"});
    EXPECT_TRUE(o.startedAutomatically);
    EXPECT_TRUE(o.noInitMessage);
    EXPECT_TRUE(o.minimizeAtStart);
    EXPECT_TRUE(o.delaysMs.empty());
    StartOptions p = parseStartOptions({"-a", "-m", "-a"});
    EXPECT_TRUE(p.startedAutomatically);
    EXPECT_TRUE(p.minimizeAtStart);
    EXPECT_FALSE(p.noInitMessage);
}

TEST(StartOptions, StartDelayConsumesItsArgument) {
    EXPECT_EQ(parseStartOptions({"-startdelay", "5"}).delaysMs, std::vector<uint32_t>{5000});
    EXPECT_TRUE(parseStartOptions({"-startdelay"}).delaysMs.empty());
    EXPECT_TRUE(parseStartOptions({"-startdelay", "0"}).delaysMs.empty());
    // A word that is no number is consumed, not taken as an option.
    StartOptions o = parseStartOptions({"-startdelay", "-auto"});
    EXPECT_TRUE(o.delaysMs.empty());
    EXPECT_FALSE(o.startedAutomatically);
    EXPECT_EQ(parseStartOptions({"-startdelay", "1", "-STARTDELAY", "2"}).delaysMs,
              (std::vector<uint32_t>{1000, 2000}));
}

TEST(StartOptions, StartDelayIsBounded) {
    EXPECT_TRUE(parseStartOptions({"-startdelay", "-5"}).delaysMs.empty());
    EXPECT_EQ(parseStartOptions({"-startdelay", "3600"}).delaysMs, std::vector<uint32_t>{3600000});
    EXPECT_EQ(parseStartOptions({"-startdelay", "2000000"}).delaysMs,
              std::vector<uint32_t>{3600000});
    EXPECT_EQ(startDelayMilliseconds(-2147483647 - 1), 0u);
    EXPECT_EQ(startDelayMilliseconds(2147483647), 3600000u);
}

TEST(Text, ParseIntegerForms) {
    EXPECT_EQ(parseInteger("42"), 42);
    EXPECT_EQ(parseInteger("  -7"), -7);
    EXPECT_EQ(parseInteger("+7"), 7);
    EXPECT_EQ(parseInteger("$1F"), 31);
    EXPECT_EQ(parseInteger("0x1f"), 31);
    EXPECT_EQ(parseInteger("0XFFFFFFFF"), -1);
    EXPECT_EQ(parseInteger("-2147483648"), -2147483647 - 1);
    EXPECT_FALSE(parseInteger("2147483648"));
    EXPECT_FALSE(parseInteger(""));
    EXPECT_FALSE(parseInteger("  "));
    EXPECT_FALSE(parseInteger("12 "));
    EXPECT_FALSE(parseInteger("x"));
    EXPECT_FALSE(parseInteger("$"));
    EXPECT_FALSE(parseInteger("0x"));
    EXPECT_FALSE(parseInteger("99999999999999999999"));
}

TEST(Text, ByteOrderAndCase) {
    EXPECT_LT(compareBytes("0.5.9", "0.6.0"), 0);
    EXPECT_LT(compareBytes("0.10.0", "0.6.0"), 0);
    EXPECT_GT(compareBytes("0.6.1", "0.6.0"), 0);
    EXPECT_EQ(compareBytes("0.6.0", "0.6.0"), 0);
    EXPECT_LT(compareBytes("", "0.6.0"), 0);
    EXPECT_LT(compareBytes("0.6", "0.6.0"), 0);
    EXPECT_GT(compareBytes("\xE6", "z"), 0); // bytes compare unsigned
    EXPECT_TRUE(equalsNoCase("DdeLookup", "ddelookup"));
    EXPECT_FALSE(equalsNoCase("\xC6", "\xE6")); // only ASCII folds
}
