// Draws the floating panel: its colour with the logo at rest, or the move handle and the menu
// and open buttons while the mouse is over it; in high contrast in the system's colours.
#pragma once

#include <windows.h>

#include <cstdint>

namespace qlx::win {

class PanelPainter {
public:
    PanelPainter() = default;
    PanelPainter(const PanelPainter&) = delete;
    PanelPainter& operator=(const PanelPainter&) = delete;
    ~PanelPainter();

    // The three images for a DPI from the program's resources (the scale step at or above
    // it); a missing one is simply not drawn.
    void load(HINSTANCE module, int dpi);
    // The whole client area, drawn off screen first so the change of controls never flickers;
    // with the focus rectangle just inside its edge when asked (it has the keyboard, after
    // keyboard use).
    void paint(HDC dc, const RECT& client, bool buttonsShown, int outerHeight, int dpi,
               bool focusRect = false);

private:
    void release();
    // The images in the colour the symbols take now.
    void loadImages(uint32_t colour);
    HINSTANCE module_ = nullptr;
    int percent_ = 0;
    uint32_t colour_ = 0; // of the images loaded
    HBITMAP logo_ = nullptr;
    HBITMAP menu_ = nullptr;
    HBITMAP open_ = nullptr;
};

} // namespace qlx::win
