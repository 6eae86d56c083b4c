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

void PaintBoxMoveHandlePaint(HDC dc, const ControlBox& box) {
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0xFF, 0xFF, 0xFF));
    HGDIOBJ old = SelectObject(dc, pen);
    for (int x = 0; x < 2; ++x) {
        MoveToEx(dc, box.left + x, box.top + kMoveHandleLineTop, nullptr);
        LineTo(dc, box.left + x, box.top + moveHandleLineEnd(box.height));
    }
    SelectObject(dc, old);
    DeleteObject(pen);
}

} // namespace

PanelPainter::~PanelPainter() {
    for (HBITMAP b : {logo_, menu_, open_})
        if (b) DeleteObject(b);
}

void PanelPainter::load(HINSTANCE module) {
    if (!logo_) logo_ = loadImage(module, L"IMAGELOGO");
    if (!menu_) menu_ = loadImage(module, L"IMAGEMENU");
    if (!open_) open_ = loadImage(module, L"IMAGEOPEN");
}

void PanelPainter::paint(HDC dc, const RECT& client, HBRUSH background, bool buttonsShown,
                         int outerHeight) {
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
        if (buttonsShown) {
            PaintBoxMoveHandlePaint(buffer,
                                    panelControlBox(PanelControl::PaintBoxMoveHandle, outerHeight));
            drawImage(buffer, scratch, menu_, panelControlBox(PanelControl::ImageMenu, outerHeight));
            drawImage(buffer, scratch, open_, panelControlBox(PanelControl::ImageOpen, outerHeight));
        } else {
            drawImage(buffer, scratch, logo_, panelControlBox(PanelControl::ImageLogo, outerHeight));
        }
        BitBlt(dc, client.left, client.top, width, height, buffer, 0, 0, SRCCOPY);
        SelectObject(buffer, oldSurface);
    }
    if (scratch) DeleteDC(scratch);
    if (surface) DeleteObject(surface);
    if (buffer) DeleteDC(buffer);
}

} // namespace qlx::win
