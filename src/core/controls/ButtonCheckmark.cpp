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

CheckmarkColours checkmarkColours(const ColourScheme& scheme) {
    if (!scheme.highContrast()) return {};
    const uint32_t text = scheme(ColourRole::dialogText);
    return {text, text, scheme(ColourRole::disabledText)};
}

PaintOps checkmarkPaint(const CheckmarkLook& look) {
    const uint32_t main = look.enabled ? look.colours.main : look.colours.disabled;
    const uint32_t light = look.enabled ? look.colours.light : look.colours.disabled;
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

PaintOps TCheckmarkButton::markPaint(int width, int dpi, const CheckmarkColours& colours) const {
    return checkmarkPaintAt(CheckmarkLook{width, checked_, BigCheckmark, CheckmarkLeft, enabled_,
                                          MenuMark, imageNumber_, colours},
                            dpi);
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

// ---- shapes

namespace {

MarkShape strokeShape(ShapePoint from, ShapePoint to, double width, uint32_t colour) {
    return MarkShape{MarkShape::Kind::Stroke, colour, {from, to}, width, {0, 0, 0, 0}, false};
}
MarkShape polygonShape(std::vector<ShapePoint> points, uint32_t colour, ShapePoint shift = {}) {
    for (ShapePoint& p : points) p = {p.x + shift.x, p.y + shift.y};
    return MarkShape{MarkShape::Kind::Polygon, colour, std::move(points), 1, {0, 0, 0, 0}, false};
}
MarkShape rectShape(MarkShape::Kind kind, ShapePoint from, ShapePoint to, uint32_t colour,
                    int left, int top, int right, int bottom) {
    return MarkShape{kind, colour, {from, to}, 1, {left, top, right, bottom}, false};
}

// The document image: a page with a grey edge at its top and left, a blue one at its right and
// bottom, and text lines 1 pixel thick; the pencil lies over it from its point at (6, 8).
void documentShapes(MarkShapes& shapes, int16_t image) {
    const ShapePoint topLeft{2, 2}, bottomRight{14, 19};
    shapes.push_back(rectShape(MarkShape::Kind::Frame, topLeft, bottomRight, kImageGrey, 0, 0, 0, 0));
    shapes.push_back(rectShape(MarkShape::Kind::Frame, topLeft, bottomRight, kImageBlue, 1, 1, 0, 0));
    shapes.push_back(rectShape(MarkShape::Kind::Rect, topLeft, bottomRight, kImageWhite, 1, 1, 1, 1));
    // A line of pixels x0 ... x1 - 1 on row y.
    const auto textLine = [&](double x0, double x1, double y) {
        shapes.push_back(strokeShape({x0, y + 0.5}, {x1, y + 0.5}, 1, kImageGrey));
    };
    textLine(4, 9, 4);
    textLine(4, 12, 6);
    if (image == static_cast<int16_t>(TCheckmarkImageNumbers::cmWriteLog)) {
        textLine(4, 8, 8);
        const ShapePoint at{6, 8};
        shapes.push_back(polygonShape(
            {{0, 0}, {4, 1}, {10, 6}, {10, 12}, {7, 12}, {5, 11}, {0, 3}}, pencilColour(1), at));
        shapes.push_back(polygonShape({{0.8, 2}, {3.9, 2}, {9, 6.5}, {9, 11}, {6, 11}},
                                      pencilColour(6), at));
        shapes.push_back(polygonShape({{0.8, 2}, {3.9, 2}, {2.2, 4.2}}, pencilColour(4), at));
        shapes.push_back(polygonShape({{0, 0}, {1.6, 0.4}, {0.4, 1.6}}, pencilColour(2), at));
        shapes.push_back(polygonShape({{9, 8}, {9, 11}, {6, 11}}, pencilColour(5), at));
        return;
    }
    constexpr int kLog[][2] = {{8, 10}, {10, 10}, {12, 7}, {14, 11}, {16, 9}, {18, 7}};
    for (const auto& l : kLog) textLine(4, l[1], l[0]);
}

int snap(double v) { return static_cast<int>(std::floor(v + 0.5)); }
// The first device pixel past an edge at 96 DPI: the edges round as scaled() rounds, so a
// pixel whose centre lies exactly on the edge belongs to what follows it.
int edgeAt(double edge, double k) { return snap(edge * k); }

// Collects one shape's pixels row by row (or, transposed, column by column) and joins rows
// with the same span into one rectangle.
class SpanSink {
public:
    SpanSink(PaintOps& out, uint32_t colour, bool transposed)
        : out_(out), colour_(colour), transposed_(transposed), first_(out.size()) {}
    void add(int row, int from, int to) {
        if (to <= from) return;
        for (size_t i = first_; i < out_.size(); ++i) {
            PaintOp& op = out_[i];
            const bool extends = transposed_
                ? op.y0 == from && op.y1 == to - 1 && op.x1 == row - 1
                : op.x0 == from && op.x1 == to - 1 && op.y1 == row - 1;
            if (!extends) continue;
            (transposed_ ? op.x1 : op.y1) = row;
            return;
        }
        if (transposed_) out_.push_back(rect(PaintOp::Kind::FillRect, row, from, row, to - 1, colour_));
        else out_.push_back(rect(PaintOp::Kind::FillRect, from, row, to - 1, row, colour_));
    }

private:
    PaintOps& out_;
    uint32_t colour_;
    bool transposed_;
    size_t first_;
};

// A straight line: every row it crosses (every column, when it runs flatter than 45 degrees)
// gets the same number of pixels, centred on the line.
void drawStroke(PaintOps& out, const MarkShape& shape, double k, int thickness) {
    if (shape.points.size() < 2) return;
    ShapePoint a = shape.points[0], b = shape.points[1];
    const bool flat = std::abs(b.x - a.x) > std::abs(b.y - a.y);
    if (flat) {
        std::swap(a.x, a.y);
        std::swap(b.x, b.y);
    }
    if (a.y > b.y) std::swap(a, b);
    if (a.y == b.y) return;
    SpanSink sink(out, shape.colour, flat);
    for (int row = edgeAt(a.y, k), end = edgeAt(b.y, k); row < end; ++row) {
        const double t = ((row + 0.5) / k - a.y) / (b.y - a.y);
        const int from = snap((a.x + t * (b.x - a.x)) * k - thickness / 2.0);
        sink.add(row, from, from + thickness);
    }
}

// The pixels whose centres lie inside the polygon (even-odd).
void drawPolygon(PaintOps& out, const MarkShape& shape, double k) {
    std::vector<ShapePoint> pts = shape.points;
    if (pts.size() < 3) return;
    if (shape.symmetric) {
        // Onto the nearest pixel centre or edge: the shape moves by a quarter pixel at most.
        const double across = std::floor(pts[0].x * k * 2 + 0.5) / 2 / k - pts[0].x;
        for (ShapePoint& p : pts) p.x += across;
    }
    double top = pts[0].y, bottom = pts[0].y;
    for (const ShapePoint& p : pts) top = std::min(top, p.y), bottom = std::max(bottom, p.y);
    SpanSink sink(out, shape.colour, false);
    std::vector<double> xs;
    for (int row = edgeAt(top, k), end = edgeAt(bottom, k); row < end; ++row) {
        const double y = (row + 0.5) / k;
        xs.clear();
        for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
            const ShapePoint &p = pts[i], &q = pts[j];
            if ((p.y > y) != (q.y > y)) xs.push_back(p.x + (y - p.y) * (q.x - p.x) / (q.y - p.y));
        }
        std::sort(xs.begin(), xs.end());
        for (size_t i = 0; i + 1 < xs.size(); i += 2)
            sink.add(row, edgeAt(xs[i], k), edgeAt(xs[i + 1], k));
    }
}

} // namespace

int lineThickness(double width, int dpi) {
    if (dpi <= 0) dpi = kDesignDpi;
    return std::max(1, snap(width * dpi / kDesignDpi));
}

MarkShapes checkmarkShapes(const CheckmarkLook& look) {
    const uint32_t main = look.enabled ? look.colours.main : look.colours.disabled;
    MarkShapes shapes;
    if (look.checked && !look.big) {
        // Two strokes of one thickness: the long one from the top right down to the bottom,
        // the short one from the left down to meet it.
        const double x0 = look.left ? 4 : look.width - 17;
        shapes.push_back(strokeShape({x0 + 11, 3}, {x0 + 4.5, 15}, 2, main));
        shapes.push_back(strokeShape({x0 + 1, 9}, {x0 + 5, 14}, 2, main));
    } else if (look.checked) {
        const double dx = look.left ? 5 : look.width - 23;
        std::vector<ShapePoint> points;
        // The polygon's corners are pixels; their centres are the shape's corners.
        for (const PaintPoint& p : kBigMark) points.push_back({p.x + 0.5, p.y + 0.5});
        shapes.push_back(polygonShape(std::move(points), main, {dx, 4}));
    } else if (look.menuMark && look.enabled) {
        // A small triangle pointing up over one pointing down.
        const double a = look.left ? 5 : look.width - 10;
        shapes.push_back(polygonShape({{a + 2.5, 4}, {a + 5, 8}, {a, 8}}, main));
        shapes.push_back(polygonShape({{a + 2.5, 17}, {a, 13}, {a + 5, 13}}, main));
        for (size_t i = shapes.size() - 2; i < shapes.size(); ++i) shapes[i].symmetric = true;
    } else if (look.image > 0) {
        documentShapes(shapes, look.image);
    }
    return shapes;
}

PaintOps drawShapes(const MarkShapes& shapes, int dpi) {
    if (dpi <= 0) dpi = kDesignDpi;
    const double k = static_cast<double>(dpi) / kDesignDpi;
    PaintOps out;
    for (const MarkShape& shape : shapes) {
        const int thickness = lineThickness(shape.width, dpi);
        switch (shape.kind) {
        case MarkShape::Kind::Stroke: drawStroke(out, shape, k, thickness); break;
        case MarkShape::Kind::Polygon: drawPolygon(out, shape, k); break;
        case MarkShape::Kind::Rect:
        case MarkShape::Kind::Frame: {
            if (shape.points.size() < 2) break;
            const int left = snap(shape.points[0].x * k) + shape.inset[0] * thickness;
            const int top = snap(shape.points[0].y * k) + shape.inset[1] * thickness;
            const int right = snap(shape.points[1].x * k) - shape.inset[2] * thickness;
            const int bottom = snap(shape.points[1].y * k) - shape.inset[3] * thickness;
            if (right <= left || bottom <= top) break;
            const auto fill = [&](int x0, int y0, int x1, int y1) {
                if (x1 > x0 && y1 > y0)
                    out.push_back(rect(PaintOp::Kind::FillRect, x0, y0, x1 - 1, y1 - 1, shape.colour));
            };
            if (shape.kind == MarkShape::Kind::Rect) {
                fill(left, top, right, bottom);
                break;
            }
            const int t = std::min({thickness, right - left, bottom - top});
            fill(left, top, right, top + t);
            fill(left, bottom - t, right, bottom);
            fill(left, top + t, left + t, bottom - t);
            fill(right - t, top + t, right, bottom - t);
            break;
        }
        }
    }
    return out;
}

PaintOps checkmarkPaintAt(const CheckmarkLook& look, int dpi) {
    if (dpi <= 0 || dpi == kDesignDpi) return checkmarkPaint(look);
    if (dpi % kDesignDpi == 0) return scaledPaint(checkmarkPaint(look), dpi);
    return drawShapes(checkmarkShapes(look), dpi);
}

PaintOps faintLinesPaintAt(TFaintLines lines, int width, int height, uint32_t colour, int dpi) {
    if (dpi <= 0 || dpi == kDesignDpi) return faintLinesPaint(lines, width, height, colour);
    const int bits = static_cast<int>(lines);
    const int t = lineThickness(1, dpi);
    PaintOps ops;
    // Each line stops short of the corner where the next one starts, as the 96-DPI lines
    // leave out their end points.
    const auto fill = [&](int x0, int y0, int x1, int y1) {
        if (x1 > x0 && y1 > y0)
            ops.push_back(rect(PaintOp::Kind::FillRect, x0, y0, x1 - 1, y1 - 1, colour));
    };
    if (bits & 1) fill(0, 0, width - t, t);
    if (bits & 2) fill(0, t, t, height);
    if (bits & 4) fill(t, height - t, width, height);
    if (bits & 8) fill(width - t, 0, width, height - t);
    return ops;
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
