// Reading glyph bitmaps and drawing a button's glyph and caption.
#include "win32/controls/ButtonGlyphPainter.h"

#include <vector>

#include "win32/system/Encoding.h"

namespace qlx::win {

GlyphImage glyphFromBitmap(HBITMAP bitmap) {
    GlyphImage out;
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap, sizeof info, &info) || info.bmWidth <= 0 ||
        info.bmHeight <= 0 || info.bmWidth > 4096 || info.bmHeight > 4096)
        return out;
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = info.bmWidth;
    header.bmiHeader.biHeight = -info.bmHeight; // top row first
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> bgr(static_cast<size_t>(info.bmWidth) * info.bmHeight);
    HDC dc = GetDC(nullptr);
    const int rows = GetDIBits(dc, bitmap, 0, static_cast<UINT>(info.bmHeight), bgr.data(),
                               &header, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    if (rows != info.bmHeight) return out;
    out.width = info.bmWidth;
    out.height = info.bmHeight;
    out.pixels.reserve(bgr.size());
    for (uint32_t p : bgr) out.pixels.push_back((p & 0xFF) << 16 | (p & 0xFF00) | (p >> 16 & 0xFF));
    return out;
}

GlyphImage loadGlyph(HINSTANCE module, const char* name) {
    if (name == nullptr) return {};
    auto* bitmap = static_cast<HBITMAP>(
        LoadImageW(module, widen(name).c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    GlyphImage out = glyphFromBitmap(bitmap);
    if (bitmap) DeleteObject(bitmap);
    return out;
}

Size captionSize(HDC dc, const std::wstring& caption) {
    if (caption.empty()) return {};
    RECT r{0, 0, 0, 0};
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r,
              DT_CALCRECT | DT_SINGLELINE);
    return Size{r.right - r.left, r.bottom - r.top};
}

namespace {
void drawPixels(HDC dc, const GlyphImage& image, int left, int top) {
    std::vector<uint32_t> bgr;
    bgr.reserve(image.pixels.size());
    for (uint32_t p : image.pixels)
        bgr.push_back((p & 0xFF) << 16 | (p & 0xFF00) | (p >> 16 & 0xFF));
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = image.width;
    header.bmiHeader.biHeight = -image.height;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    StretchDIBits(dc, left, top, image.width, image.height, 0, 0, image.width, image.height,
                  bgr.data(), &header, DIB_RGB_COLORS, SRCCOPY);
}
} // namespace

void drawButtonContent(HDC dc, const Rect& content, const ButtonContent& c) {
    HGDIOBJ oldFont = SelectObject(dc, c.font ? c.font : GetStockObject(DEFAULT_GUI_FONT));
    GlyphImage image;
    if (c.glyph && !c.glyph->empty())
        image = renderGlyph(*c.glyph, c.numGlyphs, c.state, c.colours);
    const Size glyphSize = image.empty() ? Size{} : Size{image.width, image.height};
    const GlyphAndCaption place = layoutGlyphAndCaption(
        content, glyphSize, captionSize(dc, c.caption), c.layout, c.margin, c.spacing);
    if (!image.empty()) drawPixels(dc, image, place.glyphLeft, place.glyphTop);
    if (!c.caption.empty()) {
        RECT r{place.caption.left, place.caption.top, place.caption.left + place.caption.width,
               place.caption.top + place.caption.height};
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, c.textColour);
        DrawTextW(dc, c.caption.c_str(), static_cast<int>(c.caption.size()), &r,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    SelectObject(dc, oldFont);
}

} // namespace qlx::win
