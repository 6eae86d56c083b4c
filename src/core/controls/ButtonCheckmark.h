// The check-mark buttons of the settings window and their toolbar sibling, and the bevel with
// faint edge lines: the group rule that lets boxes act as radio buttons, and what each one
// draws, as lists of pixels and primitives that the window layer puts on a device context.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "ColourScheme.h"

namespace qlx {

enum class TCheckmarkImageNumbers : int16_t { cmNone = 0, cmWriteLog = 1, cmLog = 2 };

// A bit set of edges: 1 top, 2 left, 4 bottom, 8 right.
enum class TFaintLines : uint8_t {
    flNone = 0,
    flTop = 1,
    flLeft = 2,
    flTopLeft = 3,
    flBottom = 4,
    flTopBottom = 5,
    flLeftBottom = 6,
    flTopLeftBottom = 7,
    flRight = 8,
    flTopRight = 9,
    flLeftRight = 10,
    flTopLeftRight = 11,
    flBottomRight = 12,
    flTopBottomRight = 13,
    flLeftBottomRight = 14,
    flTopLeftBottomRight = 15,
};

// Colours are 0x00BBGGRR. The mark is drawn in fixed greys, whatever CheckmarkColor says.
inline constexpr uint32_t kCheckmarkMain = 0x555555;
inline constexpr uint32_t kCheckmarkLight = 0x777777;
inline constexpr uint32_t kCheckmarkDisabled = 0xC0C0C0;
// The system's button face, resolved through the system's colour table before use.
inline constexpr uint32_t kButtonFaceSystemColour = 0x8000000F;
// The faint lines: lighter than the face on a check-mark button, darker on a bevel.
inline constexpr int kSpeedButtonFaintPercent = 120;
inline constexpr int kBevelFaintPercent = 90;
// A check-mark button's caption starts this far in, clear of the mark.
inline constexpr int kCheckmarkCaptionMargin = 18;

struct PaintPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PaintPoint&) const = default;
};

// One drawing primitive in the control's client pixels.
struct PaintOp {
    enum class Kind : uint8_t {
        Pixel,     // (x0, y0)
        Line,      // one pixel wide from (x0, y0) towards (x1, y1), the end point not drawn
        FillRect,  // x0 ... x1, y0 ... y1, both ends included
        FrameRect, // the one-pixel border of that rectangle
        Polygon,   // points, outlined and filled in the colour
    };
    Kind kind = Kind::Pixel;
    uint32_t colour = 0;
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    std::vector<PaintPoint> points;
    bool operator==(const PaintOp&) const = default;
};
using PaintOps = std::vector<PaintOp>;

// The greys the mark is drawn in; in high contrast the system's text and grey text.
struct CheckmarkColours {
    uint32_t main = kCheckmarkMain;
    uint32_t light = kCheckmarkLight;
    uint32_t disabled = kCheckmarkDisabled;
    bool operator==(const CheckmarkColours&) const = default;
};
CheckmarkColours checkmarkColours(const ColourScheme& scheme);

// What the mark depends on. width is the control's client width.
struct CheckmarkLook {
    int width = 0;
    bool checked = false;
    bool big = false;
    bool left = true;
    bool enabled = true;
    bool menuMark = false;
    int16_t image = 0;
    CheckmarkColours colours;
};

// The mark: the small check mark, the big one, the menu marker or a document image, the
// first that applies; nothing for an unchecked box.
PaintOps checkmarkPaint(const CheckmarkLook& look);

// Each channel of the resolved face times percent / 100, capped at 255.
uint32_t faintEdgeColour(uint32_t resolvedFace, int percent);
// The lines along the chosen edges of a width x height control.
PaintOps faintLinesPaint(TFaintLines lines, int width, int height, uint32_t colour);

// Ops worked out at 96 DPI turned into device pixels at a whole multiple of 96 DPI: every
// pixel, line pixel, filled rectangle and frame edge becomes the block of device pixels its
// 96-DPI pixels cover (x to scaled(x + 1) - 1), whole blocks of 2 x 2 or 3 x 3 pixels;
// polygons are drawn from their scaled corners. At 96 DPI the ops stay as they are. At other
// scales this would give uneven lines: those draw from the marks' shapes instead.
PaintOps scaledPaint(const PaintOps& ops, int dpi);

// A point of a shape at 96 DPI, on pixel edges: the pixel (x, y) covers x ... x + 1 and
// y ... y + 1.
struct ShapePoint {
    double x = 0;
    double y = 0;
    bool operator==(const ShapePoint&) const = default;
};

// One shape of a mark, for the scales that are not whole multiples of 96 DPI. Lines keep one
// thickness at every scale (lineThickness), and the device pixels a shape covers are those
// whose centres lie inside it.
struct MarkShape {
    enum class Kind : uint8_t {
        Stroke,  // from points[0] to points[1] through the line's middle, width pixels thick
        Polygon, // points, filled
        Rect,    // the area from points[0] to points[1]
        Frame,   // lines width pixels thick along the inside of that rectangle's edges
    };
    Kind kind = Kind::Stroke;
    uint32_t colour = 0;
    std::vector<ShapePoint> points;
    double width = 1;
    // A Rect's or Frame's edges moved in by this many line thicknesses (left, top, right,
    // bottom): lines that lie side by side at 96 DPI stay side by side, neither overlapping
    // nor apart.
    int inset[4] = {0, 0, 0, 0};
    // A polygon symmetric about the upright through its first point: moved across so that this
    // point lies on a device pixel's centre or edge, it stays symmetric at every scale.
    bool symmetric = false;
    bool operator==(const MarkShape&) const = default;
};
using MarkShapes = std::vector<MarkShape>;

// The device pixels a line of width 96-DPI pixels is thick at dpi: at least one.
int lineThickness(double width, int dpi);
// The mark (as checkmarkPaint chooses it) as shapes.
MarkShapes checkmarkShapes(const CheckmarkLook& look);
// Shapes in device pixels at dpi, as filled rectangles.
PaintOps drawShapes(const MarkShapes& shapes, int dpi);

// The mark at a window's DPI, in device pixels: the pixel pattern itself at 96 DPI, whole
// blocks of it at 192 and 288 DPI, drawn from its shapes at every other scale. look.width is
// the client width at 96 DPI.
PaintOps checkmarkPaintAt(const CheckmarkLook& look, int dpi);
// The faint lines of a control width x height device pixels large at dpi: each line
// lineThickness(1, dpi) thick along the inside of its edge; at 96 DPI faintLinesPaint's lines.
PaintOps faintLinesPaintAt(TFaintLines lines, int width, int height, uint32_t colour, int dpi);

// The order in which a check-mark button's parts are drawn. A flat, transparent button draws
// its frame and caption over the mark; any other draws the mark over them.
enum class CheckmarkPaintStep : uint8_t { FaintLines, Button, Mark };
std::vector<CheckmarkPaintStep> speedButtonPaintSteps(bool flatAndTransparent,
                                                      TFaintLines lines);

class CheckmarkParent;

// What the check-mark button and its toolbar sibling share: the properties, the checked state
// with its group rule, and the mark.
class TCheckmarkButton {
public:
    virtual ~TCheckmarkButton();
    TCheckmarkButton(const TCheckmarkButton&) = delete;
    TCheckmarkButton& operator=(const TCheckmarkButton&) = delete;

    // The class as the group rule tells controls apart: derived classes have names of their
    // own.
    virtual std::string_view className() const = 0;

    bool Checked() const { return checked_; }
    // Checking clears the group's other buttons first; setting the value the button has
    // already does nothing at all.
    void SetChecked(bool checked);
    void Toggle() { SetChecked(!checked_); }

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    // Stored only; they show at the next repaint.
    bool MenuMark = false;
    uint32_t CheckmarkColor = kCheckmarkMain;
    bool CheckmarkLeft = true;
    bool BigCheckmark = false;
    int32_t CheckmarkGroup = 0;
    int16_t GetImageNumber() const { return imageNumber_; }
    void SetImageNumber(int16_t image) { imageNumber_ = image; }

    // The mark for a client width at 96 DPI, drawn at dpi.
    PaintOps markPaint(int width, int dpi = 96, const CheckmarkColours& colours = {}) const;

    // The window layer's repaint; called when the state shown changes.
    std::function<void()> OnRepaint;

    // Joins the parent's children (in the parent's order); null leaves it on its own.
    void setParent(CheckmarkParent* parent);

protected:
    // groupClass: the exact class name whose siblings the group rule clears.
    explicit TCheckmarkButton(std::string_view groupClass) : groupClass_(groupClass) {}
    void repaint() const {
        if (OnRepaint) OnRepaint();
    }

private:
    void turnSiblingsOff();
    std::string_view groupClass_;
    CheckmarkParent* parent_ = nullptr;
    bool checked_ = false;
    bool enabled_ = true;
    int16_t imageNumber_ = 0;
};

// A flat push button without a window of its own that draws its check mark near an edge and
// can act as a radio button through its group.
class TSpeedButtonCheckmark : public TCheckmarkButton {
public:
    TSpeedButtonCheckmark() : TCheckmarkButton(kClassName) {}
    static constexpr std::string_view kClassName = "TSpeedButtonCheckmark";
    std::string_view className() const override { return kClassName; }

    bool Flat = false;
    bool Transparent = true;
    TFaintLines FaintLines = TFaintLines::flNone;
    // The caption's colour; a locked setting shows its caption in grey.
    uint32_t FontColour = 0x000000;
    void SetFontColour(uint32_t colour);

    std::vector<CheckmarkPaintStep> paintSteps() const {
        return speedButtonPaintSteps(Flat && Transparent, FaintLines);
    }
};

// The same on a toolbar button; it clears only its own kind.
class TToolButtonCheckmark : public TCheckmarkButton {
public:
    TToolButtonCheckmark() : TCheckmarkButton(kClassName) { CheckmarkColor = 0xFF0000; }
    static constexpr std::string_view kClassName = "TToolButtonCheckmark";
    std::string_view className() const override { return kClassName; }
};

// A bevel that can draw faint lines along its edges.
struct TBevelLines {
    TFaintLines FaintLines = TFaintLines::flNone;
    // width x height device pixels at dpi.
    PaintOps paint(int width, int height, uint32_t resolvedFace, int dpi = 96) const {
        return faintLinesPaintAt(FaintLines, width, height,
                                 faintEdgeColour(resolvedFace, kBevelFaintPercent), dpi);
    }
};

// The controls that share a parent, in the parent's order.
class CheckmarkParent {
public:
    ~CheckmarkParent();
    const std::vector<TCheckmarkButton*>& children() const { return children_; }

private:
    friend class TCheckmarkButton;
    std::vector<TCheckmarkButton*> children_;
};

// What a list of primitives leaves on a width x height surface, pixel by pixel, for tests
// that compare a drawing with it. Where the system's polygon rasterisation may go either way
// (within a pixel or so of the outline) a pixel may be anything.
class ExpectedPixels {
public:
    enum class Kind : uint8_t { Untouched, Colour, Any };
    struct Pixel {
        Kind kind = Kind::Untouched;
        uint32_t colour = 0;
    };
    ExpectedPixels(const PaintOps& ops, int width, int height);
    int width() const { return width_; }
    int height() const { return height_; }
    Pixel at(int x, int y) const { return pixels_[static_cast<size_t>(y * width_ + x)]; }

private:
    void set(int x, int y, Pixel p);
    int width_;
    int height_;
    std::vector<Pixel> pixels_;
};

} // namespace qlx
