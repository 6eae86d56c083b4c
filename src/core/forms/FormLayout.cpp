// Finding controls in a window's table, the shared header, anchoring and word wrapping.
#include "forms/FormLayout.h"

#include <algorithm>

#include "Scale.h"
#include "Text.h"

namespace qlx {

std::string ControlDesc::caption() const {
    std::string all;
    for (const TextRun& run : text) all += run.text;
    return all;
}

const ControlDesc* FormDesc::find(std::string_view name) const {
    for (const ControlDesc& c : controls)
        if (c.name == name) return &c;
    return nullptr;
}

std::vector<ControlDesc> headerControls(int height, ControlBox versionBox) {
    const FontDesc white{12, false, false, kWhite};
    FontDesc title = white;
    title.pixels = 21;
    std::vector<ControlDesc> header;
    ControlDesc panel{"PanelTop", ControlKind::Panel};
    panel.box = {0, 0, 0, height};
    panel.align = Align::Top;
    panel.colour = 0x5C743E; // the panel colour
    header.push_back(panel);
    ControlDesc name{"LabelTitle", ControlKind::Label, "PanelTop", {15, 9, 0, 0}};
    name.text = {{"Quiklex"}};
    name.font = title;
    header.push_back(name);
    ControlDesc subtitle{"LabelSubtitle", ControlKind::Label, "PanelTop", {104, 16, 0, 0}};
    subtitle.text = {{"til hurtigt opslag i Lemmary"}};
    subtitle.font = white;
    header.push_back(subtitle);
    ControlDesc version{"LabelVersion", ControlKind::Label, "PanelTop", versionBox};
    version.text = {{std::string("version ") + programVersion}};
    version.font = white;
    version.rightAlign = true;
    version.anchors = kAnchorTop | kAnchorRight;
    header.push_back(version);
    return header;
}

ControlDesc& addLabel(FormDesc& form, const char* name, const char* parent, ControlBox box,
                      std::vector<TextRun> text, bool wordWrap) {
    ControlDesc c{name, ControlKind::Label, parent, box};
    c.text = std::move(text);
    c.wordWrap = wordWrap;
    return form.controls.emplace_back(std::move(c));
}

ControlDesc& addBottomPanel(FormDesc& form, ControlBox box, uint32_t colour) {
    ControlDesc c{"PanelBottom", ControlKind::Panel, "", box};
    c.align = Align::Bottom;
    c.colour = colour;
    return form.controls.emplace_back(std::move(c));
}

ControlDesc& addShapedButton(FormDesc& form, const char* parent, const char* name,
                             ControlBox shape, ControlBox button, const char* caption,
                             int32_t modalResult, uint8_t anchors) {
    ControlDesc s{std::string(name) + "Shape", ControlKind::Shape, parent, shape};
    s.colour = kButtonFaceColour;
    s.anchors = anchors;
    form.controls.push_back(std::move(s));
    ControlDesc b{name, ControlKind::FlatButton, parent, button};
    b.text = {{caption}};
    b.modalResult = modalResult;
    b.anchors = anchors;
    return form.controls.emplace_back(std::move(b));
}

ControlBox anchoredBox(const ControlBox& box, uint8_t anchors, int oldWidth, int oldHeight,
                       int newWidth, int newHeight) {
    auto axis = [](int start, int size, bool low, bool high, int oldExtent, int newExtent,
                   int& outStart, int& outSize) {
        outStart = start;
        outSize = size;
        const int grow = newExtent - oldExtent;
        if (low && high) {
            outSize = size + grow;
            if (outSize < 0) outSize = 0;
        } else if (high) {
            outStart = start + grow;
        } else if (!low && oldExtent > 0) {
            const long long centre = 2LL * start + size;
            outStart = static_cast<int>((centre * newExtent / oldExtent - size) / 2);
        }
    };
    ControlBox result;
    axis(box.left, box.width, anchors & kAnchorLeft, anchors & kAnchorRight, oldWidth, newWidth,
         result.left, result.width);
    axis(box.top, box.height, anchors & kAnchorTop, anchors & kAnchorBottom, oldHeight, newHeight,
         result.top, result.height);
    return result;
}

ControlBox scaledBox(const ControlBox& box, int dpi) {
    return {scaled(box.left, dpi), scaled(box.top, dpi), scaled(box.width, dpi),
            scaled(box.height, dpi)};
}

FormDesc scaledForm(const FormDesc& form, int dpi) {
    FormDesc out = form;
    out.clientWidth = scaled(form.clientWidth, dpi);
    out.clientHeight = scaled(form.clientHeight, dpi);
    out.minWidth = scaled(form.minWidth, dpi);
    out.minHeight = scaled(form.minHeight, dpi);
    out.font.pixels = scaled(form.font.pixels, dpi);
    for (ControlDesc& c : out.controls) {
        c.box = scaledBox(c.box, dpi);
        c.font.pixels = scaled(c.font.pixels, dpi);
    }
    return out;
}

namespace {

struct Piece {
    std::string text;
    bool bold = false;
};

// A word and the blanks before it; a line feed comes as its own entry.
struct Token {
    std::vector<Piece> blanks;
    std::vector<Piece> word;
    bool lineFeed = false;
};

std::vector<Token> tokensOf(const std::vector<TextRun>& runs) {
    std::vector<Token> tokens(1);
    for (const TextRun& run : runs) {
        size_t i = 0;
        const std::string& t = run.text;
        while (i < t.size()) {
            if (t[i] == '\n') {
                tokens.push_back({{}, {}, true});
                tokens.emplace_back();
                ++i;
                continue;
            }
            const bool blank = t[i] == ' ';
            size_t j = i;
            while (j < t.size() && t[j] != '\n' && (t[j] == ' ') == blank) ++j;
            Piece piece{t.substr(i, j - i), run.bold};
            if (blank) {
                // Blanks after a word begin the next token.
                if (!tokens.back().word.empty()) tokens.emplace_back();
                tokens.back().blanks.push_back(piece);
            } else {
                tokens.back().word.push_back(piece);
            }
            i = j;
        }
    }
    return tokens;
}

} // namespace

std::vector<PlacedRun> wrapRuns(const std::vector<TextRun>& runs, int width,
                                const std::function<int(std::string_view, bool bold)>& measure) {
    std::vector<PlacedRun> placed;
    int x = 0;
    int line = 0;
    bool lineStarted = false; // something other than the text's own leading blanks is on it
    auto put = [&](const Piece& piece) {
        if (piece.text.empty()) return;
        PlacedRun* last = placed.empty() ? nullptr : &placed.back();
        if (last && last->line == line && last->bold == piece.bold &&
            last->x + measure(last->text, last->bold) == x)
            last->text += piece.text;
        else
            placed.push_back({piece.text, piece.bold, x, line});
        x += measure(piece.text, piece.bold);
    };
    auto widthOf = [&](const std::vector<Piece>& pieces) {
        int w = 0;
        for (const Piece& p : pieces) w += measure(p.text, p.bold);
        return w;
    };
    for (const Token& token : tokensOf(runs)) {
        if (token.lineFeed) {
            ++line;
            x = 0;
            lineStarted = false;
            continue;
        }
        const int blanks = widthOf(token.blanks);
        const int word = widthOf(token.word);
        if (width > 0 && lineStarted && !token.word.empty() && x + blanks + word > width) {
            ++line;
            x = 0;
        } else {
            for (const Piece& p : token.blanks) put(p);
        }
        for (const Piece& p : token.word) put(p);
        if (!token.word.empty()) lineStarted = true;
    }
    return placed;
}

OuterSize minimumOuterSize(const FormDesc& form, int workWidth, int workHeight) {
    return {std::max(0, std::min(form.minWidth, workWidth)),
            std::max(0, std::min(form.minHeight, workHeight))};
}

OuterSize dpiScaledOuterSize(const FormDesc& design, OuterSize client, int dpi, int newDpi,
                             OuterSize frame) {
    if (dpi <= 0) dpi = kDesignDpi;
    if (newDpi <= 0) newDpi = kDesignDpi;
    const auto follow = [&](int table, int now) {
        // The user's part, rounded as the system's MulDiv rounds: halves away from zero.
        const int64_t extra = int64_t{now} - scaled(table, dpi);
        const int64_t twice = 2 * extra * newDpi;
        const int64_t part = (twice + (twice < 0 ? -dpi : dpi)) / (2 * int64_t{dpi});
        return static_cast<int>(std::max<int64_t>(0, scaled(table, newDpi) + part));
    };
    OuterSize outer{follow(design.clientWidth, client.width) + frame.width,
                    follow(design.clientHeight, client.height) + frame.height};
    if (design.minWidth > 0) {
        outer.width = std::max(outer.width, scaled(design.minWidth, newDpi));
        outer.height = std::max(outer.height, scaled(design.minHeight, newDpi));
    }
    return outer;
}

} // namespace qlx
