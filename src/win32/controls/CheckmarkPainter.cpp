// Pixels, lines, rectangles and polygons in the colours the core gives them.
#include "win32/controls/CheckmarkPainter.h"

#include <vector>

namespace qlx::win {

namespace {
COLORREF colourOf(uint32_t colour) { return static_cast<COLORREF>(colour & 0xFFFFFF); }

// A pen or brush selected for one primitive and deleted afterwards.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), object_(object), old_(SelectObject(dc, object)) {}
    ~Selected() {
        SelectObject(dc_, old_);
        DeleteObject(object_);
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC dc_;
    HGDIOBJ object_;
    HGDIOBJ old_;
};
} // namespace

void paintOps(HDC dc, const PaintOps& ops, int left, int top) {
    for (const PaintOp& op : ops) {
        const COLORREF c = colourOf(op.colour);
        RECT r{left + op.x0, top + op.y0, left + op.x1 + 1, top + op.y1 + 1};
        switch (op.kind) {
        case PaintOp::Kind::Pixel: SetPixelV(dc, left + op.x0, top + op.y0, c); break;
        case PaintOp::Kind::Line: {
            Selected pen(dc, CreatePen(PS_SOLID, 1, c));
            MoveToEx(dc, left + op.x0, top + op.y0, nullptr);
            LineTo(dc, left + op.x1, top + op.y1);
            break;
        }
        case PaintOp::Kind::FillRect: {
            HBRUSH brush = CreateSolidBrush(c);
            FillRect(dc, &r, brush);
            DeleteObject(brush);
            break;
        }
        case PaintOp::Kind::FrameRect: {
            HBRUSH brush = CreateSolidBrush(c);
            FrameRect(dc, &r, brush);
            DeleteObject(brush);
            break;
        }
        case PaintOp::Kind::Polygon: {
            std::vector<POINT> points;
            for (const PaintPoint& p : op.points) points.push_back({left + p.x, top + p.y});
            Selected pen(dc, CreatePen(PS_SOLID, 1, c));
            Selected brush(dc, CreateSolidBrush(c));
            SetPolyFillMode(dc, ALTERNATE);
            Polygon(dc, points.data(), static_cast<int>(points.size()));
            break;
        }
        }
    }
}

uint32_t buttonFaceColour() {
    return static_cast<uint32_t>(GetSysColor(static_cast<int>(kButtonFaceSystemColour & 0xFF)));
}

} // namespace qlx::win
