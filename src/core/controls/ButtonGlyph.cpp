// Glyph and caption placement, glyph images against the face, and the speed button's edges.
#include "controls/ButtonGlyph.h"

#include <algorithm>

namespace qlx {

GlyphAndCaption layoutGlyphAndCaption(const Rect& content, Size glyph, Size caption,
                                      TButtonLayout layout, int32_t margin, int32_t spacing) {
    GlyphAndCaption out;
    const bool centred = margin < 0;
    const bool sideBySide =
        layout == TButtonLayout::blGlyphLeft || layout == TButtonLayout::blGlyphRight;
    // The room, glyph and caption along the axis that the layout arranges them on.
    const int32_t room = sideBySide ? content.width : content.height;
    const int32_t glyphAlong = sideBySide ? glyph.width : glyph.height;
    const int32_t captionAlong = sideBySide ? caption.width : caption.height;
    if (glyph.width == 0 || caption.width == 0) spacing = 0;
    if (margin < 0) {
        if (spacing < 0) {
            margin = (room - glyphAlong - captionAlong) / 3;
            spacing = margin;
        } else {
            margin = (room - glyphAlong - spacing - captionAlong + 1) / 2;
        }
    } else if (spacing < 0) {
        spacing = (room - margin - glyphAlong - captionAlong) / 2;
    }

    int32_t glyphAt = 0;
    int32_t captionAt = 0;
    switch (layout) {
    case TButtonLayout::blGlyphLeft:
    case TButtonLayout::blGlyphTop:
        glyphAt = margin;
        captionAt = glyphAt + glyphAlong + spacing;
        break;
    case TButtonLayout::blGlyphRight:
    case TButtonLayout::blGlyphBottom:
        glyphAt = room - margin - glyphAlong;
        captionAt = glyphAt - spacing - captionAlong;
        break;
    }
    if (sideBySide) {
        out.glyphLeft = content.left + glyphAt;
        out.glyphTop = content.top + (content.height - glyph.height + 1) / 2;
        out.caption = Rect{content.left + captionAt, content.top, caption.width, content.height};
    } else {
        out.glyphLeft = content.left + (content.width - glyph.width + 1) / 2;
        out.glyphTop = content.top + glyphAt;
        out.caption = Rect{content.left, content.top + captionAt, content.width, caption.height};
    }
    // A caption alone is centred in the whole rectangle, as the system centres text.
    if (glyph.width == 0 && centred) out.caption = content;
    return out;
}

int32_t numGlyphsFor(int32_t width, int32_t height) {
    if (width <= 0 || height <= 0 || width % height != 0) return 1;
    const int32_t n = width / height;
    return n >= 1 && n <= 4 ? n : 1;
}

int32_t glyphImageWidth(const GlyphImage& bitmap, int32_t numGlyphs) {
    return bitmap.width / std::clamp(numGlyphs, 1, 4);
}

GlyphImage renderGlyph(const GlyphImage& bitmap, int32_t numGlyphs, GlyphState state,
                       const GlyphColours& colours) {
    GlyphImage out;
    if (bitmap.empty() ||
        bitmap.pixels.size() / static_cast<size_t>(bitmap.width) < static_cast<size_t>(bitmap.height))
        return out;
    numGlyphs = std::clamp(numGlyphs, 1, 4);
    out.width = glyphImageWidth(bitmap, numGlyphs);
    out.height = bitmap.height;
    if (out.width == 0) return GlyphImage{};
    out.pixels.assign(static_cast<size_t>(out.width * out.height), colours.face);

    int32_t image = state == GlyphState::up ? 0 : state == GlyphState::disabled ? 1 : 2;
    bool greyed = false;
    if (image >= numGlyphs) {
        greyed = state == GlyphState::disabled;
        image = 0;
    }
    const uint32_t transparent = bitmap.at(0, bitmap.height - 1);
    const int32_t left = image * out.width;
    auto put = [&](int32_t x, int32_t y, uint32_t colour) {
        if (x < out.width && y < out.height)
            out.pixels[static_cast<size_t>(y * out.width + x)] = colour;
    };
    // A greyed glyph keeps only the shape of its darker ink, embossed: a light copy one
    // pixel down and right under the dark one.
    auto ink = [&](int32_t x, int32_t y) {
        const uint32_t p = bitmap.at(left + x, y);
        if (p == transparent) return false;
        return ((p & 0xFF) + (p >> 8 & 0xFF) + (p >> 16 & 0xFF)) / 3 < 0xC0;
    };
    for (int32_t y = 0; y < out.height; ++y) {
        for (int32_t x = 0; x < out.width; ++x) {
            if (!greyed && bitmap.at(left + x, y) != transparent) put(x, y, bitmap.at(left + x, y));
            if (greyed && ink(x, y)) put(x + 1, y + 1, colours.highlight);
        }
    }
    if (greyed) {
        for (int32_t y = 0; y < out.height; ++y)
            for (int32_t x = 0; x < out.width; ++x)
                if (ink(x, y)) put(x, y, colours.shadow);
    }
    return out;
}

SpeedButtonPaint planSpeedButtonPaint(const SpeedButtonState& s) {
    SpeedButtonPaint out;
    const bool pushed = s.enabled && (s.down || (s.pressed && s.hot));
    out.glyph = !s.enabled ? GlyphState::disabled : pushed ? GlyphState::down : GlyphState::up;
    if (s.flat)
        out.edge = pushed ? ButtonEdge::sunkenThin
                   : s.hot && s.enabled ? ButtonEdge::raisedThin
                                        : ButtonEdge::none;
    else
        out.edge = pushed ? ButtonEdge::sunken : ButtonEdge::raised;
    out.face = Rect{0, 0, s.width, s.height};
    const int32_t inset = s.flat ? 1 : 2;
    out.content = Rect{inset, inset, s.width - 2 * inset, s.height - 2 * inset};
    if (pushed) {
        out.content.left += 1;
        out.content.top += 1;
    }
    return out;
}

} // namespace qlx
