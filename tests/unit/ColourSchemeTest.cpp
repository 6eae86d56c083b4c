// The colour table: fixed pairs that no system scheme changes, and the system's colours
// throughout in high contrast, with every text readable on the background it is drawn on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <tuple>
#include <utility>

#include "ColourScheme.h"
#include "controls/ButtonCheckmark.h"

using namespace qlx;

namespace {

constexpr uint32_t rgb(uint32_t r, uint32_t g, uint32_t b) { return r | g << 8 | b << 16; }

// A system scheme: window, window text, button face, button text, grey text, highlight and
// link colours; everything else a colour none of them has.
SystemColours systemColours(uint32_t window, uint32_t windowText, uint32_t face,
                            uint32_t faceText, uint32_t grey, uint32_t highlight,
                            uint32_t hotLight) {
    SystemColours s;
    s.fill(rgb(1, 2, 3));
    s[kSysWindow] = window;
    s[kSysWindowText] = windowText;
    s[kSysButtonFace] = face;
    s[kSysButtonText] = faceText;
    s[kSysGrayText] = grey;
    s[kSysHighlight] = highlight;
    s[kSysHotLight] = hotLight;
    return s;
}

// The system's own schemes: a dark one with high contrast off, and high contrast black and
// white as Windows ships them.
const SystemColours kDark = systemColours(rgb(0, 0, 0), rgb(255, 255, 255), rgb(40, 40, 40),
                                          rgb(255, 255, 255), rgb(0, 255, 0), rgb(0, 0, 255),
                                          rgb(0, 255, 255));
const SystemColours kContrastBlack =
    systemColours(rgb(0, 0, 0), rgb(255, 255, 255), rgb(0, 0, 0), rgb(255, 255, 255),
                  rgb(63, 242, 63), rgb(26, 235, 255), rgb(255, 255, 0));
const SystemColours kContrastWhite =
    systemColours(rgb(255, 255, 255), rgb(0, 0, 0), rgb(255, 255, 255), rgb(0, 0, 0),
                  rgb(96, 0, 0), rgb(55, 0, 110), rgb(0, 0, 159));

// The contrast ratio of two colours as the accessibility guidelines define it.
double contrast(uint32_t a, uint32_t b) {
    const auto luminance = [](uint32_t c) {
        double sum = 0;
        const double weights[] = {0.2126, 0.7152, 0.0722};
        for (int i = 0; i < 3; ++i) {
            const double v = ((c >> (8 * i)) & 0xFF) / 255.0;
            sum += weights[i] * (v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4));
        }
        return sum;
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Every text and the background it is drawn on, with the contrast it needs: body text 4.5,
// a disabled caption (which the guidelines leave out) and the default button's frame 3.
const struct Pair {
    ColourRole text, background;
    double least;
} kPairs[] = {
    {ColourRole::dialogText, ColourRole::dialogBackground, 4.5},
    {ColourRole::buttonText, ColourRole::buttonFace, 4.5},
    {ColourRole::headerText, ColourRole::header, 4.5},
    {ColourRole::panelSymbols, ColourRole::panel, 4.5},
    {ColourRole::link, ColourRole::dialogBackground, 4.5},
    {ColourRole::disabledText, ColourRole::dialogBackground, 3},
    {ColourRole::disabledText, ColourRole::buttonFace, 3},
    {ColourRole::highlight, ColourRole::dialogBackground, 3},
};

} // namespace

TEST(ColourScheme, OutsideHighContrastEveryColourIsFixedWhateverTheSystemScheme) {
    const ColourScheme light;
    const ColourScheme dark(ColourMode::normal, kDark);
    EXPECT_EQ(dark, light);
    EXPECT_EQ(dark(ColourRole::dialogBackground), 0xFFFFFFu);
    EXPECT_EQ(dark(ColourRole::buttonFace), 0xDDDDDDu);
    EXPECT_EQ(dark(ColourRole::header), 0x5C743Eu);
    EXPECT_EQ(dark(ColourRole::panel), 0x5C743Eu);
    for (const Pair& p : kPairs)
        EXPECT_GE(contrast(dark(p.text), dark(p.background)), p.least)
            << int(p.text) << " on " << int(p.background);
    // The windows' tables keep their own colours, also those the table does not know.
    for (uint32_t c : {0xFFFFFFu, 0x5C743Eu, 0xDDDDDDu, 0x808080u, 0x3080C0u})
        EXPECT_EQ(std::tuple(dark.background(c), dark.text(c, false), dark.text(c, true)),
                  std::tuple(c, c, c));
    EXPECT_EQ(checkmarkColours(dark), CheckmarkColours{});
}

TEST(ColourScheme, HighContrastTakesTheSystemColoursThroughout) {
    for (const auto& [name, system] :
         {std::pair{"black", kContrastBlack}, std::pair{"white", kContrastWhite}}) {
        const ColourScheme scheme(ColourMode::highContrast, system);
        const std::pair<ColourRole, int> roles[] = {
            {ColourRole::dialogBackground, kSysWindow}, {ColourRole::dialogText, kSysWindowText},
            {ColourRole::buttonFace, kSysButtonFace},   {ColourRole::buttonText, kSysButtonText},
            {ColourRole::header, kSysButtonFace},       {ColourRole::headerText, kSysButtonText},
            {ColourRole::panel, kSysButtonFace},        {ColourRole::panelSymbols, kSysButtonText},
            {ColourRole::disabledText, kSysGrayText},   {ColourRole::highlight, kSysHighlight},
            {ColourRole::link, kSysHotLight},
        };
        static_assert(std::size(roles) == kColourRoleCount);
        for (const auto& [role, index] : roles)
            EXPECT_EQ(scheme(role), system[index]) << name << " " << int(role);
        for (const Pair& p : kPairs)
            EXPECT_GE(contrast(scheme(p.text), scheme(p.background)), p.least)
                << name << " " << int(p.text) << " on " << int(p.background);

        // The tables' fixed colours by the part they play.
        const struct {
            uint32_t colour;
            bool text, onButton;
            uint32_t drawn;
        } table[] = {
            {0xFFFFFF, false, false, system[kSysWindow]},    // the white of a window
            {0x5C743E, false, false, system[kSysButtonFace]}, // the green header
            {0xDDDDDD, false, false, system[kSysButtonFace]}, // a button's shape
            {0x3080C0, false, false, system[kSysWindow]},    // any other background
            {0x000000, true, false, system[kSysWindowText]}, // a label
            {0x000000, true, true, system[kSysButtonText]},  // a button's caption
            {0xFFFFFF, true, false, system[kSysButtonText]}, // white on the header
            {0xFFFFFF, true, true, system[kSysButtonText]},  // white on the messages' bar
            {0x808080, true, false, system[kSysGrayText]},   // a locked setting's caption
        };
        for (const auto& t : table)
            EXPECT_EQ(t.text ? scheme.text(t.colour, t.onButton) : scheme.background(t.colour),
                      t.drawn)
                << name << " " << std::hex << t.colour;

        const CheckmarkColours mark = checkmarkColours(scheme);
        EXPECT_EQ(mark, (CheckmarkColours{system[kSysWindowText], system[kSysWindowText],
                                          system[kSysGrayText]}))
            << name;
    }
}

// A button's caption and default frame go with its face: the system's with a system face, the
// scheme's with a fixed one.
TEST(ColourScheme, ButtonCaptionsGoWithTheirFace) {
    const ColourScheme normal;
    const ColourScheme black(ColourMode::highContrast, kContrastBlack);
    constexpr uint32_t kSystemFace = kSystemColourBit | kSysButtonFace;
    const struct {
        const ColourScheme& scheme;
        uint32_t face;
        bool enabled;
        ButtonColours drawn;
    } table[] = {
        {normal, 0xDDDDDD, true, {0xDDDDDD, 0x000000, 0x000000}},
        {normal, 0xDDDDDD, false, {0xDDDDDD, 0x6D6D6D, 0x000000}},
        {normal, kSystemFace, true,
         {kSystemFace, kSystemColourBit | kSysButtonText, kSystemColourBit | kSysWindowFrame}},
        {normal, kSystemFace, false,
         {kSystemFace, kSystemColourBit | kSysGrayText, kSystemColourBit | kSysWindowFrame}},
        {black, 0xDDDDDD, true,
         {kContrastBlack[kSysButtonFace], kContrastBlack[kSysButtonText],
          kContrastBlack[kSysHighlight]}},
        {black, 0xDDDDDD, false,
         {kContrastBlack[kSysButtonFace], kContrastBlack[kSysGrayText],
          kContrastBlack[kSysHighlight]}},
    };
    for (const auto& t : table)
        EXPECT_EQ(buttonColours(t.scheme, t.face, 0x000000, t.enabled), t.drawn)
            << std::hex << t.face << " " << t.enabled << " " << t.scheme.highContrast();
}
