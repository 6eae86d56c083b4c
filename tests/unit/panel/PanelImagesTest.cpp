// The panel's images per scale step: which step a DPI takes, and reading the stored alpha.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "Scale.h"
#include "panel/PanelImages.h"
#include "panel/PanelLayout.h"

using namespace qlx;

TEST(PanelImages, ADpiTakesTheNearestStepAtOrAboveIt) {
    const struct {
        int dpi, percent;
    } cases[] = {{96, 100}, {97, 125}, {120, 125}, {144, 150}, {168, 175}, {192, 200},
                 {193, 250}, {240, 250}, {288, 300}, {480, 300}, {0, 100}, {72, 100}};
    for (const auto& c : cases) EXPECT_EQ(panelImageScale(c.dpi), c.percent) << c.dpi;
}

TEST(PanelImages, RunsAndLiteralsRebuildTheAlpha) {
    // 4 x 2: a run of 5 zeros, then the literals 7, 8, 9.
    const uint8_t data[] = {4, 0, 2, 0, 130, 0, 2, 7, 8, 9};
    const auto image = decodeAlphaImage(data, sizeof data);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 4);
    EXPECT_EQ(image->height, 2);
    EXPECT_EQ(image->alpha, (std::vector<uint8_t>{0, 0, 0, 0, 0, 7, 8, 9}));
    EXPECT_EQ(premultiplied(*image, 0xFFFFFF)[5], 0x07070707u);
    EXPECT_EQ(premultiplied(*image, 0xFFFFFF)[0], 0u);
    // In another colour (red, as 0x00BBGGRR) the channels follow it: red lies in the third
    // byte of a device-independent pixel.
    EXPECT_EQ(premultiplied(*image, 0x0000FF)[7], 0x09090000u);
}

TEST(PanelImages, DamagedDataIsRefused) {
    const std::vector<std::vector<uint8_t>> damaged = {
        {},
        {4, 0, 2},
        {4, 0, 2, 0},                         // no pixels
        {4, 0, 2, 0, 130, 0, 2, 7, 8},        // a literal cut short
        {4, 0, 2, 0, 130, 0},                 // pixels left out
        {4, 0, 2, 0, 131, 0, 2, 7, 8, 9},     // a run past the image
        {4, 0, 2, 0, 130, 0, 1, 7, 8, 255, 0}, // more after the last pixel
        {4, 0, 2, 0, 130},                    // a run without its value
        {0, 0, 0, 0},                         // an empty image
    };
    for (const auto& d : damaged)
        EXPECT_FALSE(decodeAlphaImage(d.data(), d.size())) << d.size();
}

#ifdef QLX_SOURCE_DIR
TEST(PanelImages, EveryStoredImageHasItsBoxsSizeAtItsScale) {
    for (int percent : kPanelImageScales) {
        const int dpi = 96 * percent / 100;
        const int h = panelOuterSize(dpi).height;
        const struct {
            const char* name;
            PanelControl control;
        } images[] = {{"logo", PanelControl::ImageLogo},
                      {"menu", PanelControl::ImageMenu},
                      {"open", PanelControl::ImageOpen}};
        for (const auto& i : images) {
            const std::string path = std::string(QLX_SOURCE_DIR) + "/src/res/panel/" + i.name +
                                     "-" + std::to_string(percent) + ".a8";
            std::ifstream file(path, std::ios::binary);
            ASSERT_TRUE(file) << path;
            const std::vector<uint8_t> data((std::istreambuf_iterator<char>(file)), {});
            const auto image = decodeAlphaImage(data.data(), data.size());
            ASSERT_TRUE(image) << path;
            const ControlBox box = panelControlBox(i.control, h, dpi);
            EXPECT_EQ(image->width, box.width) << path;
            EXPECT_EQ(image->height, box.height) << path;
        }
    }
}
#endif
