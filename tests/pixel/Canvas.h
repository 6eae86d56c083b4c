// A bitmap for the pixel tests to draw into and read back.
#pragma once

#include <windows.h>

#include <cstdint>

constexpr uint32_t kBackground = 0x123456; // a colour none of the drawings uses

// A top-down 32-bit bitmap selected into a memory device context.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_),
                                   nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        clear();
    }
    ~Canvas() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }
    void clear() {
        RECT r{0, 0, width_, height_};
        HBRUSH brush = CreateSolidBrush(kBackground);
        FillRect(dc_, &r, brush);
        DeleteObject(brush);
    }
    // 0x00BBGGRR, as the core writes colours.
    uint32_t at(int x, int y) const {
        GdiFlush();
        const uint32_t rgb = bits_[y * width_ + x] & 0xFFFFFF;
        return (rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16);
    }

private:
    int width_, height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    uint32_t* bits_ = nullptr;
};
