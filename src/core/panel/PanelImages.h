// The panel's images: one per scale step, stored as the alpha of a one-coloured image,
// run-length coded; which step a window's DPI takes, and the premultiplied pixels drawn from it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace qlx {

// The scale steps the images are drawn for, in percent.
inline constexpr int kPanelImageScales[] = {100, 125, 150, 175, 200, 250, 300};

// The step for a DPI: the smallest one at least as large (so that an image is only ever
// scaled down), the largest one beyond it.
int panelImageScale(int dpi);

struct AlphaImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> alpha; // rows top down
};

// Reads a stored image: width and height as 16-bit little-endian numbers, then runs: a byte
// n < 128 followed by n + 1 alphas, or n >= 128 followed by one alpha for n - 125 pixels.
// Nothing when the data is cut short, runs past the image or leaves pixels out.
std::optional<AlphaImage> decodeAlphaImage(const uint8_t* data, size_t size);

// The image in one colour (0x00BBGGRR) with that alpha as 32-bit premultiplied pixels (blue,
// green, red, alpha from the lowest byte up): each channel is the colour's times the alpha,
// rounded; white gives channels equal to the alpha.
std::vector<uint32_t> premultiplied(const AlphaImage& image, uint32_t colour);

} // namespace qlx
