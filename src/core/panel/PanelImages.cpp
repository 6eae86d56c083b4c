// The panel's images per scale step.
#include "panel/PanelImages.h"

#include <iterator>

namespace qlx {

int panelImageScale(int dpi) {
    for (int percent : kPanelImageScales)
        if (int64_t{percent} * 96 >= int64_t{dpi} * 100) return percent;
    return kPanelImageScales[std::size(kPanelImageScales) - 1];
}

std::optional<AlphaImage> decodeAlphaImage(const uint8_t* data, size_t size) {
    if (!data || size < 4) return std::nullopt;
    AlphaImage image;
    image.width = data[0] | data[1] << 8;
    image.height = data[2] | data[3] << 8;
    const size_t pixels = size_t(image.width) * size_t(image.height);
    image.alpha.reserve(pixels);
    size_t at = 4;
    while (at < size) {
        const uint8_t code = data[at++];
        if (code < 128) {
            const size_t n = size_t{code} + 1;
            if (n > size - at || n > pixels - image.alpha.size()) return std::nullopt;
            image.alpha.insert(image.alpha.end(), data + at, data + at + n);
            at += n;
        } else {
            const size_t n = size_t{code} - 125;
            if (at >= size || n > pixels - image.alpha.size()) return std::nullopt;
            image.alpha.insert(image.alpha.end(), n, data[at++]);
        }
    }
    if (image.alpha.size() != pixels || pixels == 0) return std::nullopt;
    return image;
}

std::vector<uint32_t> premultiplied(const AlphaImage& image, uint32_t colour) {
    const auto times = [](uint32_t channel, uint32_t alpha) {
        return (channel * alpha + 127) / 255;
    };
    const uint32_t red = colour & 0xFF, green = colour >> 8 & 0xFF, blue = colour >> 16 & 0xFF;
    std::vector<uint32_t> out;
    out.reserve(image.alpha.size());
    for (uint8_t a : image.alpha)
        out.push_back(uint32_t{a} << 24 | times(red, a) << 16 | times(green, a) << 8 |
                      times(blue, a));
    return out;
}

} // namespace qlx
