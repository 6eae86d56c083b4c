// Painting of the floating panel.
#include "win32/panel/PanelPainter.h"

#include <cstring>

#include "win32/system/SystemColours.h"
#include "panel/PanelImages.h"
#include "panel/PanelLayout.h"

namespace qlx::win {

namespace {

// A stored image (an alpha) in a colour as a premultiplied 32-bit bitmap; null when the
// resource is missing or damaged.
HBITMAP loadImage(HINSTANCE module, const char* name, int percent, uint32_t colour) {
    char resource[32];
    wsprintfA(resource, "PANEL_%s_%d", name, percent);
    HRSRC found = FindResourceA(module, resource, MAKEINTRESOURCEA(10)); // RT_RCDATA
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return nullptr;
    const auto image = decodeAlphaImage(static_cast<const uint8_t*>(data),
                                        SizeofResource(module, found));
    if (!image) return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image->width;
    info.bmiHeader.biHeight = -image->height; // top down, as stored
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) {
        if (bitmap) DeleteObject(bitmap);
        return nullptr;
    }
    const std::vector<uint32_t> pixels = premultiplied(*image, colour);
    std::memcpy(bits, pixels.data(), pixels.size() * sizeof(uint32_t));
    return bitmap;
}

// The images carry premultiplied alpha, so they blend onto whatever colour the panel has. An
// image of its box's size is copied pixel for pixel; a larger one (a DPI between the steps)
// is scaled down into the box.
void drawImage(HDC dc, HDC scratch, HBITMAP image, const ControlBox& box) {
    if (!image) return;
    BITMAP info{};
    if (!GetObjectW(image, sizeof info, &info)) return;
    HGDIOBJ old = SelectObject(scratch, image);
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    GdiAlphaBlend(dc, box.left, box.top, box.width, box.height, scratch, 0, 0, info.bmWidth,
                  info.bmHeight, blend);
    SelectObject(scratch, old);
}

void PaintBoxMoveHandlePaint(HDC dc, const ControlBox& handle, int dpi, uint32_t colour) {
    const ControlBox lines = moveHandleLines(handle, dpi);
    RECT r{lines.left, lines.top, lines.left + lines.width, lines.top + lines.height};
    HBRUSH brush = CreateSolidBrush(resolvedColour(colour));
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

} // namespace

PanelPainter::~PanelPainter() { release(); }

void PanelPainter::release() {
    for (HBITMAP* b : {&logo_, &menu_, &open_}) {
        if (*b) DeleteObject(*b);
        *b = nullptr;
    }
}

void PanelPainter::load(HINSTANCE module, int dpi) {
    const int percent = panelImageScale(dpi);
    if (percent == percent_ && module == module_ && logo_) return;
    module_ = module;
    percent_ = percent;
    loadImages(colours()(ColourRole::panelSymbols));
}

void PanelPainter::loadImages(uint32_t colour) {
    release();
    colour_ = colour;
    logo_ = loadImage(module_, "LOGO", percent_, colour);
    menu_ = loadImage(module_, "MENU", percent_, colour);
    open_ = loadImage(module_, "OPEN", percent_, colour);
}

void PanelPainter::paint(HDC dc, const RECT& client, bool buttonsShown, int outerHeight, int dpi,
                         bool focusRect) {
    const ColourScheme& scheme = colours();
    const uint32_t symbols = scheme(ColourRole::panelSymbols);
    if (module_ && symbols != colour_) loadImages(symbols);
    HBRUSH background = CreateSolidBrush(resolvedColour(scheme(ColourRole::panel)));
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    HDC buffer = CreateCompatibleDC(dc);
    HBITMAP surface = CreateCompatibleBitmap(dc, width, height);
    HDC scratch = CreateCompatibleDC(dc);
    if (!buffer || !surface || !scratch) {
        // Out of GDI resources: the colour at least.
        FillRect(dc, &client, background);
    } else {
        HGDIOBJ oldSurface = SelectObject(buffer, surface);
        RECT all{0, 0, width, height};
        FillRect(buffer, &all, background);
        auto box = [&](PanelControl c) { return panelControlBox(c, outerHeight, dpi); };
        if (buttonsShown) {
            PaintBoxMoveHandlePaint(buffer, box(PanelControl::PaintBoxMoveHandle), dpi, symbols);
            drawImage(buffer, scratch, menu_, box(PanelControl::ImageMenu));
            drawImage(buffer, scratch, open_, box(PanelControl::ImageOpen));
        } else {
            drawImage(buffer, scratch, logo_, box(PanelControl::ImageLogo));
        }
        if (focusRect) {
            RECT inside{1, 1, width - 1, height - 1};
            SetTextColor(buffer, RGB(0, 0, 0));
            SetBkColor(buffer, RGB(255, 255, 255));
            DrawFocusRect(buffer, &inside);
        }
        BitBlt(dc, client.left, client.top, width, height, buffer, 0, 0, SRCCOPY);
        SelectObject(buffer, oldSurface);
    }
    if (scratch) DeleteDC(scratch);
    if (surface) DeleteObject(surface);
    if (buffer) DeleteDC(buffer);
    DeleteObject(background);
}

} // namespace qlx::win
