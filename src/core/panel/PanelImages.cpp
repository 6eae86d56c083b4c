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

std::vector<uint32_t> premultipliedWhite(const AlphaImage& image) {
    std::vector<uint32_t> out;
    out.reserve(image.alpha.size());
    for (uint8_t a : image.alpha) out.push_back(uint32_t{a} * 0x01010101u);
    return out;
}

} // namespace qlx
