// Every text of the welcome, settings and messages windows and of the message dialog, measured
// with the installed fonts at 100, 125, 150 and 200 %: each fits its box, and no two overprint.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Scale.h"
#include "controls/ButtonCheckmark.h"
#include "forms/FormLayout.h"
#include "forms/SettingsForm.h"
#include "forms/WelcomeForm.h"
#include "messages/MessagesForm.h"
#include "dialogs/MessageWinLayout.h"
#include "win32/system/Encoding.h"
#include "win32/system/Fonts.h"

using namespace qlx;

namespace {

constexpr int kDpis[] = {96, 120, 144, 192};

struct Placed {
    std::string name;
    ControlBox text; // where the text is drawn, in the window's client area
};

bool overlap(const ControlBox& a, const ControlBox& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

std::string str(const ControlBox& b) {
    return std::to_string(b.left) + "," + std::to_string(b.top) + " " + std::to_string(b.width) +
           "x" + std::to_string(b.height);
}

class Measurer {
public:
    Measurer() : dc_(CreateCompatibleDC(nullptr)) {}
    ~Measurer() { DeleteDC(dc_); }
    Measurer(const Measurer&) = delete;
    Measurer& operator=(const Measurer&) = delete;

    int width(HFONT font, std::string_view text) {
        SelectObject(dc_, font);
        const std::wstring wide = win::widen(text);
        SIZE size{};
        GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
        return size.cx;
    }
    int lineHeight(HFONT font) {
        SelectObject(dc_, font);
        TEXTMETRICW tm{};
        GetTextMetricsW(dc_, &tm);
        return tm.tmHeight;
    }
    HDC dc() const { return dc_; }

private:
    HDC dc_;
};

// Checks every text of a window's table at dpi; returns where the texts are drawn.
std::vector<Placed> placeTexts(const FormDesc& design, int dpi, Measurer& m) {
    const FormDesc form = scaledForm(design, dpi);
    const std::string where = form.windowClass + " at " + std::to_string(dpi) + " DPI: ";
    auto origin = [&](const std::string& parent) {
        if (parent.empty()) return std::pair{0, 0};
        const ControlDesc* p = form.find(parent);
        if (!p) return std::pair{0, 0};
        if (p->align == Align::Bottom) return std::pair{0, form.clientHeight - p->box.height};
        if (p->align == Align::Top) return std::pair{0, p->box.top};
        return std::pair{p->box.left, p->box.top};
    };
    std::vector<Placed> placed;
    for (const ControlDesc& c : form.controls) {
        if (c.text.empty()) continue;
        const auto [dx, dy] = origin(c.parent);
        HFONT font = win::fontFor(c.font);
        const int lineHeight = m.lineHeight(font);
        ControlBox text;
        switch (c.kind) {
        case ControlKind::Label: {
            const auto measure = [&](std::string_view t, bool bold) {
                return m.width(win::fontFor(c.font, bold), t);
            };
            const std::vector<PlacedRun> runs =
                wrapRuns(c.text, c.wordWrap ? c.box.width : 0, measure);
            int widest = 0, lines = 0;
            for (const PlacedRun& r : runs) {
                widest = std::max(widest, r.x + measure(r.text, r.bold));
                lines = std::max(lines, r.line + 1);
            }
            text = {c.rightAlign ? c.box.left + c.box.width - widest : c.box.left, c.box.top,
                    widest, lines * lineHeight};
            if (c.box.width > 0) {
                EXPECT_LE(widest, c.box.width) << where << c.name << " is wider than its box";
            }
            if (c.box.height > 0) {
                EXPECT_LE(text.height, c.box.height) << where << c.name << " is taller than its box";
            }
            break;
        }
        case ControlKind::FlatButton: {
            const int w = m.width(font, c.caption());
            text = {c.box.left + (c.box.width - w) / 2, c.box.top + (c.box.height - lineHeight) / 2,
                    w, lineHeight};
            EXPECT_LE(w, c.box.width) << where << c.name << "'s caption is wider than the button";
            EXPECT_LE(lineHeight, c.box.height) << where << c.name;
            break;
        }
        case ControlKind::CheckmarkButton: {
            const int w = m.width(font, c.caption());
            const int margin = scaled(kCheckmarkCaptionMargin, dpi);
            text = {c.box.left + margin, c.box.top + (c.box.height - lineHeight) / 2, w,
                    lineHeight};
            EXPECT_LE(margin + w, c.box.width) << where << c.name << "'s caption overruns it";
            EXPECT_LE(lineHeight, c.box.height) << where << c.name;
            break;
        }
        default: continue;
        }
        text.left += dx;
        text.top += dy;
        placed.push_back({c.name, text});
    }
    return placed;
}

void expectNoOverprint(const std::vector<Placed>& texts, const std::string& where) {
    for (size_t i = 0; i < texts.size(); ++i)
        for (size_t j = i + 1; j < texts.size(); ++j)
            EXPECT_FALSE(overlap(texts[i].text, texts[j].text))
                << where << texts[i].name << " (" << str(texts[i].text) << ") overprints "
                << texts[j].name << " (" << str(texts[j].text) << ")";
}

} // namespace

TEST(TextFit, EveryWindowTableAtEveryScale) {
    Measurer m;
    const FormDesc forms[] = {welcomeFormLayout(), settingsFormLayout(), messagesFormLayout()};
    for (const FormDesc& form : forms)
        for (int dpi : kDpis)
            expectNoOverprint(placeTexts(form, dpi, m),
                              form.windowClass + " at " + std::to_string(dpi) + " DPI: ");
}

// The message dialog in the system's message font at each scale: the text, the icon and the
// strip keep apart, and the buttons' captions fit them.
TEST(TextFit, MessageDialogAtEveryScale) {
    Measurer m;
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    const int systemDpi = GetDeviceCaps(m.dc(), LOGPIXELSY);
    const std::wstring text =
        L"Quiklex kunne ikke hente ordbogens side. Kontroller forbindelsen til internettet, "
        L"og pr\u00F8v igen om lidt.";
    for (int dpi : kDpis) {
        LOGFONTW lf = metrics.lfMessageFont;
        lf.lfHeight = MulDiv(lf.lfHeight, dpi, systemDpi);
        HFONT font = CreateFontIndirectW(&lf);
        ASSERT_NE(font, nullptr);
        SelectObject(m.dc(), font);
        MessageWinMeasures mm;
        mm.dpi = dpi;
        mm.screen = {0, 0, scaled(1280, dpi), scaled(1024, dpi)};
        SIZE size{};
        GetTextExtentPoint32W(m.dc(), L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52,
                              &size);
        mm.averageCharWidth = (size.cx / 26 + 1) / 2;
        mm.charHeight = m.lineHeight(font);
        RECT r{0, 0, messageTextWrapWidth(mm.screen), 0};
        DrawTextW(m.dc(), text.c_str(), static_cast<int>(text.size()), &r,
                  DT_EXPANDTABS | DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
        mm.textWidth = r.right - r.left;
        mm.textHeight = r.bottom - r.top;
        mm.frameWidth = scaled(6, dpi);
        mm.frameHeight = scaled(29, dpi);
        const std::string where = "message dialog at " + std::to_string(dpi) + " DPI: ";
        for (int32_t code : {0, 1, 2, 3, 4}) {
            const MessageWinLayout l = layoutMessageWin(
                mm, TMsgDlgType::warning, code, std::nullopt, WorkArea{0, 0, 1280, 1000});
            std::vector<Placed> placed{{"text", l.text}, {"icon", *l.icon}, {"strip", l.strip}};
            expectNoOverprint(placed, where);
            std::vector<ButtonPlace> buttons{l.left};
            if (l.right) buttons.push_back(*l.right);
            std::vector<Placed> captions;
            for (const ButtonPlace& b : buttons) {
                const int w = m.width(font, b.button.caption);
                EXPECT_LE(w + 2 * scaled(2, dpi), b.bounds.width) << where << b.button.caption;
                EXPECT_LE(mm.charHeight, b.bounds.height) << where << b.button.caption;
                EXPECT_LE(b.bounds.top + b.bounds.height, l.strip.height) << where;
                EXPECT_LE(b.bounds.left + b.bounds.width, l.strip.width) << where;
                captions.push_back({b.button.caption, b.bounds});
            }
            expectNoOverprint(captions, where);
        }
        SelectObject(m.dc(), GetStockObject(SYSTEM_FONT));
        DeleteObject(font);
    }
}
