// Painting of the floating panel.
#include "win32/panel/PanelPainter.h"

#include "panel/PanelLayout.h"

namespace qlx::win {

namespace {

HBITMAP loadImage(HINSTANCE module, const wchar_t* name) {
    return static_cast<HBITMAP>(LoadImageW(module, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

// The images carry premultiplied alpha, so they blend onto whatever colour the panel has.
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

void PaintBoxMoveHandlePaint(HDC dc, const ControlBox& handle, int dpi) {
    const ControlBox lines = moveHandleLines(handle, dpi);
    RECT r{lines.left, lines.top, lines.left + lines.width, lines.top + lines.height};
    HBRUSH white = CreateSolidBrush(RGB(0xFF, 0xFF, 0xFF));
    FillRect(dc, &r, white);
    DeleteObject(white);
}

} // namespace

PanelPainter::~PanelPainter() {
    for (HBITMAP b : {logo_, menu_, open_})
        if (b) DeleteObject(b);
}

void PanelPainter::load(HINSTANCE module, int /*dpi*/) {
    if (!logo_) logo_ = loadImage(module, L"IMAGELOGO");
    if (!menu_) menu_ = loadImage(module, L"IMAGEMENU");
    if (!open_) open_ = loadImage(module, L"IMAGEOPEN");
}

void PanelPainter::paint(HDC dc, const RECT& client, HBRUSH background, bool buttonsShown,
                         int outerHeight, int dpi) {
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
            PaintBoxMoveHandlePaint(buffer, box(PanelControl::PaintBoxMoveHandle), dpi);
            drawImage(buffer, scratch, menu_, box(PanelControl::ImageMenu));
            drawImage(buffer, scratch, open_, box(PanelControl::ImageOpen));
        } else {
            drawImage(buffer, scratch, logo_, box(PanelControl::ImageLogo));
        }
        BitBlt(dc, client.left, client.top, width, height, buffer, 0, 0, SRCCOPY);
        SelectObject(buffer, oldSurface);
    }
    if (scratch) DeleteDC(scratch);
    if (surface) DeleteObject(surface);
    if (buffer) DeleteDC(buffer);
}

} // namespace qlx::win
