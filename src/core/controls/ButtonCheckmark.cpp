// The check-mark buttons' group rule and the primitives of their marks and faint lines.
#include "controls/ButtonCheckmark.h"

#include "Scale.h"

#include <algorithm>
#include <cmath>

namespace qlx {

namespace {

// The small check mark: row i lies at y = 3 + i and starts at x0 + offset; "x" is the main
// colour, "o" the light one, "." leaves the pixel.
struct MarkRow {
    int offset;
    const char* pixels;
};
constexpr MarkRow kMarkRows[] = {
    {11, "x"},   {10, "xx"},  {9, "xx"},         {8, "xxo"},       {7, "xxx"},   {6, "xxx"},
    {0, "xx...xxxo"}, {1, "xx.xxxx"}, {1, "oxxxxx"}, {2, "xxxxo"}, {3, "xxx"}, {4, "x"},
};

constexpr PaintPoint kBigMark[] = {{0, 6},  {5, 12}, {12, 4}, {15, 2}, {19, 0},
                                   {18, 0}, {15, 1}, {11, 4}, {5, 9}};

// The pencil of the "write log" image, drawn at (6 + dx, 8 + dy): a diagonal band from its
// point at the top left to its dark red end at the bottom right, outlined in black.
struct PencilPixel {
    int8_t dx, dy, code;
};
constexpr PencilPixel kPencil[] = {
    {0, 0, 1},  {0, 0, 2},
    {0, 1, 1},  {1, 1, 1},  {2, 1, 1},  {3, 1, 1},
    {0, 2, 1},  {1, 2, 2},  {2, 2, 4},  {3, 2, 3},  {4, 2, 1},  {5, 2, 1},
    {1, 3, 1},  {2, 3, 4},  {3, 3, 3},  {4, 3, 6},  {5, 3, 6},  {6, 3, 1},
    {1, 4, 1},  {2, 4, 1},  {3, 4, 6},  {4, 4, 6},  {5, 4, 6},  {6, 4, 6},  {7, 4, 1},
    {2, 5, 1},  {3, 5, 6},  {4, 5, 6},  {5, 5, 6},  {6, 5, 6},  {7, 5, 6},  {8, 5, 1},
    {3, 6, 1},  {4, 6, 6},  {5, 6, 6},  {6, 6, 6},  {7, 6, 6},  {8, 6, 6},  {9, 6, 1},
    {3, 7, 1},  {4, 7, 1},  {5, 7, 6},  {6, 7, 6},  {7, 7, 6},  {8, 7, 6},  {9, 7, 1},
    {4, 8, 1},  {5, 8, 6},  {6, 8, 6},  {7, 8, 6},  {8, 8, 5},  {9, 8, 1},
    {4, 9, 1},  {5, 9, 1},  {6, 9, 6},  {7, 9, 5},  {8, 9, 5},  {9, 9, 1},
    {5, 10, 1}, {6, 10, 5}, {7, 10, 5}, {8, 10, 5}, {9, 10, 1},
    {7, 11, 1}, {8, 11, 1}, {9, 11, 1},
};
static_assert(std::size(kPencil) == 66);

uint32_t pencilColour(int code) {
    switch (code) {
    case 1: return 0x000000;
    case 2: return 0x808080;
    case 3: return 0xFFFFFF;
    case 4: return 0xC0C0C0;
    case 5: return 0x0000C0; // dark red
    default: return 0x00FFFF; // yellow
    }
}

constexpr uint32_t kImageGrey = 0x808080;
constexpr uint32_t kImageBlue = 0xFF0000;
constexpr uint32_t kImageWhite = 0xFFFFFF;

PaintOp pixel(int x, int y, uint32_t colour) {
    return PaintOp{PaintOp::Kind::Pixel, colour, x, y, x, y, {}};
}
PaintOp line(int x0, int y0, int x1, int y1, uint32_t colour) {
    return PaintOp{PaintOp::Kind::Line, colour, x0, y0, x1, y1, {}};
}
PaintOp rect(PaintOp::Kind kind, int x0, int y0, int x1, int y1, uint32_t colour) {
    return PaintOp{kind, colour, x0, y0, x1, y1, {}};
}

void documentImage(PaintOps& ops, int16_t image) {
    ops.push_back(rect(PaintOp::Kind::FrameRect, 2, 2, 13, 18, kImageGrey));
    ops.push_back(rect(PaintOp::Kind::FrameRect, 3, 3, 13, 18, kImageBlue));
    ops.push_back(rect(PaintOp::Kind::FillRect, 3, 3, 12, 17, kImageWhite));
    ops.push_back(line(4, 4, 9, 4, kImageGrey));
    ops.push_back(line(4, 6, 12, 6, kImageGrey));
    if (image == static_cast<int16_t>(TCheckmarkImageNumbers::cmWriteLog)) {
        ops.push_back(line(4, 8, 8, 8, kImageGrey));
        for (const PencilPixel& p : kPencil)
            ops.push_back(pixel(6 + p.dx, 8 + p.dy, pencilColour(p.code)));
        return;
    }
    constexpr int kLog[][3] = {{8, 10}, {10, 10}, {12, 7}, {14, 11}, {16, 9}, {18, 7}};
    for (const auto& l : kLog) ops.push_back(line(4, l[0], l[1], l[0], kImageGrey));
}

} // namespace

PaintOps checkmarkPaint(const CheckmarkLook& look) {
    const uint32_t main = look.enabled ? kCheckmarkMain : kCheckmarkDisabled;
    const uint32_t light = look.enabled ? kCheckmarkLight : kCheckmarkDisabled;
    PaintOps ops;
    if (look.checked && !look.big) {
        const int x0 = look.left ? 4 : look.width - 17;
        for (int i = 0; i < static_cast<int>(std::size(kMarkRows)); ++i) {
            int x = x0 + kMarkRows[i].offset;
            for (const char* c = kMarkRows[i].pixels; *c; ++c, ++x) {
                if (*c == 'x') ops.push_back(pixel(x, 3 + i, main));
                else if (*c == 'o') ops.push_back(pixel(x, 3 + i, light));
            }
        }
    } else if (look.checked) {
        const int dx = look.left ? 5 : look.width - 23;
        PaintOp polygon{PaintOp::Kind::Polygon, main, 0, 0, 0, 0, {}};
        for (const PaintPoint& p : kBigMark) polygon.points.push_back({p.x + dx, p.y + 4});
        ops.push_back(std::move(polygon));
    } else if (look.menuMark && look.enabled) {
        const int a = look.left ? 5 : look.width - 10;
        ops.push_back(pixel(a + 2, 4, main));
        ops.push_back(rect(PaintOp::Kind::FillRect, a + 1, 5, a + 3, 6, main));
        ops.push_back(pixel(a, 7, main));
        ops.push_back(pixel(a + 4, 7, main));
        ops.push_back(pixel(a, 13, main));
        ops.push_back(pixel(a + 4, 13, main));
        ops.push_back(rect(PaintOp::Kind::FillRect, a + 1, 14, a + 3, 15, main));
        ops.push_back(pixel(a + 2, 16, main));
    } else if (look.image > 0) {
        documentImage(ops, look.image);
    }
    return ops;
}

uint32_t faintEdgeColour(uint32_t resolvedFace, int percent) {
    uint32_t result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const uint32_t channel = (resolvedFace >> shift) & 0xFF;
        const uint32_t scaled =
            std::min<uint32_t>(255, channel * static_cast<uint32_t>(percent) / 100);
        result |= scaled << shift;
    }
    return result;
}

PaintOps faintLinesPaint(TFaintLines lines, int width, int height, uint32_t colour) {
    const int bits = static_cast<int>(lines);
    const int w = width - 1;
    const int h = height - 1;
    PaintOps ops;
    if (bits & 1) ops.push_back(line(0, 0, w, 0, colour));
    if (bits & 2) ops.push_back(line(0, h, 0, 0, colour));
    if (bits & 4) ops.push_back(line(w, h, 0, h, colour));
    if (bits & 8) ops.push_back(line(w, 0, w, h, colour));
    return ops;
}

std::vector<CheckmarkPaintStep> speedButtonPaintSteps(bool flatAndTransparent,
                                                      TFaintLines lines) {
    std::vector<CheckmarkPaintStep> steps;
    if (lines != TFaintLines::flNone) steps.push_back(CheckmarkPaintStep::FaintLines);
    if (flatAndTransparent) {
        steps.push_back(CheckmarkPaintStep::Mark);
        steps.push_back(CheckmarkPaintStep::Button);
    } else {
        steps.push_back(CheckmarkPaintStep::Button);
        steps.push_back(CheckmarkPaintStep::Mark);
    }
    return steps;
}

TCheckmarkButton::~TCheckmarkButton() { setParent(nullptr); }

void TCheckmarkButton::setParent(CheckmarkParent* parent) {
    if (parent_) std::erase(parent_->children_, this);
    parent_ = parent;
    if (parent_) parent_->children_.push_back(this);
}

CheckmarkParent::~CheckmarkParent() {
    for (TCheckmarkButton* child : std::vector<TCheckmarkButton*>(children_))
        child->setParent(nullptr);
}

void TCheckmarkButton::SetChecked(bool checked) {
    if (checked == checked_) return;
    if (checked) turnSiblingsOff();
    checked_ = checked;
    repaint();
}

void TCheckmarkButton::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    repaint();
}

PaintOps TCheckmarkButton::markPaint(int width) const {
    return checkmarkPaint(CheckmarkLook{width, checked_, BigCheckmark, CheckmarkLeft, enabled_,
                                        MenuMark, imageNumber_});
}

void TCheckmarkButton::turnSiblingsOff() {
    if (!parent_) return;
    for (TCheckmarkButton* child : std::vector<TCheckmarkButton*>(parent_->children_)) {
        if (child == this || child->className() != groupClass_) continue;
        if (CheckmarkGroup <= 0 || child->CheckmarkGroup == CheckmarkGroup)
            child->SetChecked(false);
    }
}

void TSpeedButtonCheckmark::SetFontColour(uint32_t colour) {
    if (colour == FontColour) return;
    FontColour = colour;
    repaint();
}

// ---- expected pixels

namespace {

bool insidePolygon(const std::vector<PaintPoint>& pts, double x, double y) {
    bool inside = false;
    for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
        const double xi = pts[i].x, yi = pts[i].y, xj = pts[j].x, yj = pts[j].y;
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) inside = !inside;
    }
    return inside;
}

double distanceToOutline(const std::vector<PaintPoint>& pts, double x, double y) {
    double best = 1e9;
    for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
        const double ax = pts[j].x, ay = pts[j].y, bx = pts[i].x, by = pts[i].y;
        const double dx = bx - ax, dy = by - ay;
        const double len2 = dx * dx + dy * dy;
        double t = len2 > 0 ? ((x - ax) * dx + (y - ay) * dy) / len2 : 0;
        t = std::clamp(t, 0.0, 1.0);
        best = std::min(best, std::hypot(x - (ax + t * dx), y - (ay + t * dy)));
    }
    return best;
}

} // namespace

PaintOps scaledPaint(const PaintOps& ops, int dpi) {
    if (dpi <= 0 || dpi == kDesignDpi) return ops;
    PaintOps out;
    // The device pixels x0 ... x1 and y0 ... y1 (96-DPI, both ends included) cover.
    auto block = [&](uint32_t colour, int x0, int y0, int x1, int y1) {
        out.push_back(PaintOp{PaintOp::Kind::FillRect, colour, scaled(x0, dpi), scaled(y0, dpi),
                              scaled(x1 + 1, dpi) - 1, scaled(y1 + 1, dpi) - 1, {}});
    };
    for (const PaintOp& op : ops) {
        switch (op.kind) {
        case PaintOp::Kind::Pixel: block(op.colour, op.x0, op.y0, op.x0, op.y0); break;
        case PaintOp::Kind::Line: {
            const int sx = op.x1 > op.x0 ? 1 : op.x1 < op.x0 ? -1 : 0;
            const int sy = op.y1 > op.y0 ? 1 : op.y1 < op.y0 ? -1 : 0;
            if (sx == 0 || sy == 0) {
                // Along a row or a column: one block up to the pixel before the end point.
                if (sx == 0 && sy == 0) break;
                const int lastX = op.x1 - sx, lastY = op.y1 - sy;
                block(op.colour, std::min(op.x0, lastX), std::min(op.y0, lastY),
                      std::max(op.x0, lastX), std::max(op.y0, lastY));
                break;
            }
            for (int x = op.x0, y = op.y0; x != op.x1 && y != op.y1; x += sx, y += sy)
                block(op.colour, x, y, x, y);
            break;
        }
        case PaintOp::Kind::FillRect: block(op.colour, op.x0, op.y0, op.x1, op.y1); break;
        case PaintOp::Kind::FrameRect:
            block(op.colour, op.x0, op.y0, op.x1, op.y0);
            block(op.colour, op.x0, op.y1, op.x1, op.y1);
            block(op.colour, op.x0, op.y0, op.x0, op.y1);
            block(op.colour, op.x1, op.y0, op.x1, op.y1);
            break;
        case PaintOp::Kind::Polygon: {
            PaintOp polygon = op;
            for (PaintPoint& p : polygon.points) p = {scaled(p.x, dpi), scaled(p.y, dpi)};
            out.push_back(std::move(polygon));
            break;
        }
        }
    }
    return out;
}

ExpectedPixels::ExpectedPixels(const PaintOps& ops, int width, int height)
    : width_(width), height_(height),
      pixels_(static_cast<size_t>(std::max(0, width * height))) {
    for (const PaintOp& op : ops) {
        const Pixel colour{Kind::Colour, op.colour};
        switch (op.kind) {
        case PaintOp::Kind::Pixel: set(op.x0, op.y0, colour); break;
        case PaintOp::Kind::Line: {
            // Only the straight lines the controls draw: along a row or a column.
            const int sx = op.x1 > op.x0 ? 1 : op.x1 < op.x0 ? -1 : 0;
            const int sy = op.y1 > op.y0 ? 1 : op.y1 < op.y0 ? -1 : 0;
            for (int x = op.x0, y = op.y0; x != op.x1 || y != op.y1; x += sx, y += sy)
                set(x, y, colour);
            break;
        }
        case PaintOp::Kind::FillRect:
            for (int y = op.y0; y <= op.y1; ++y)
                for (int x = op.x0; x <= op.x1; ++x) set(x, y, colour);
            break;
        case PaintOp::Kind::FrameRect:
            for (int y = op.y0; y <= op.y1; ++y)
                for (int x = op.x0; x <= op.x1; ++x)
                    if (x == op.x0 || x == op.x1 || y == op.y0 || y == op.y1) set(x, y, colour);
            break;
        case PaintOp::Kind::Polygon:
            for (int y = 0; y < height_; ++y) {
                for (int x = 0; x < width_; ++x) {
                    // The system samples a pixel at its integer point.
                    const double cx = x, cy = y;
                    const double d = distanceToOutline(op.points, cx, cy);
                    if (insidePolygon(op.points, cx, cy) && d > 1.0) set(x, y, colour);
                    else if (d <= 1.5) set(x, y, Pixel{Kind::Any, 0});
                }
            }
            // The outline's pen passes through every corner.
            for (const PaintPoint& p : op.points) set(p.x, p.y, colour);
            break;
        }
    }
}

void ExpectedPixels::set(int x, int y, Pixel p) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<size_t>(y * width_ + x)] = p;
}

} // namespace qlx
