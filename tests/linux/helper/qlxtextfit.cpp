// Measures every text of the Linux program's settings and messages windows and of its message
// dialog, with the widgets and fonts the program makes, at the display's scale: each fits its box
// and no two overprint. One line per fault, then "texts N faults M"; exit code 1 on a fault.
#include <QApplication>
#include <QFontMetricsF>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextLayout>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "controls/ButtonCheckmark.h"
#include "forms/SettingsForm.h"
#include "messages/MessagesForm.h"
#include "qt/dialogs/MessageMeasures.h"
#include "qt/forms/FormWindow.h"
#include "qt/system/Encoding.h"

using namespace qlx;
using namespace qlx::qt;

namespace {

int faults = 0;
int texts = 0;

void fault(const std::string& where, const std::string& what) {
    ++faults;
    std::printf("%s: %s\n", where.c_str(), what.c_str());
}

// The window with its controls built and placed, as the program shows it.
class Built final : public FormWindow {
  public:
    explicit Built(FormDesc desc) : FormWindow(std::move(desc)) { build(); }
};

struct Placed {
    std::string name;
    QRectF text;
};

int ceilOf(qreal v) {
    return static_cast<int>(std::ceil(v - 0.01));
}

// A text's width as the widgets lay it out (shaped as one line, as a label's document does).
qreal advance(const QFont& font, const QString& text, QPaintDevice* device) {
    QTextLayout layout(text, font, device);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(1e6);
    layout.endLayout();
    return line.naturalTextWidth();
}

void checkForm(const FormDesc& design) {
    Built window(design);
    const std::string where = design.windowClass;
    std::vector<Placed> placed;
    for (const ControlDesc& c : window.desc().controls) {
        if (c.text.empty()) continue;
        QWidget* w = window.control(c.name);
        if (!w) continue;
        ++texts;
        const QRect box(w->mapTo(&window, QPoint(0, 0)), w->size());
        const QFontMetricsF metrics(w->font(), w);
        const qreal lineHeight = metrics.height();
        QRectF text;
        switch (c.kind) {
        case ControlKind::Label: {
            const auto measure = [&](std::string_view t, bool bold) {
                QFont f = w->font();
                f.setBold(bold);
                return ceilOf(advance(f, fromCp1252(std::string(t)), w));
            };
            int widest = 0, lines = 0;
            for (const PlacedRun& r : wrapRuns(c.text, c.wordWrap ? box.width() : 0, measure)) {
                widest = std::max(widest, r.x + measure(r.text, r.bold));
                lines = std::max(lines, r.line + 1);
            }
            // A label without a width in the table takes its text's own: it only must not
            // overprint another.
            if (c.box.width == 0) widest = box.width();
            text = QRectF(c.rightAlign ? box.right() + 1 - widest : box.left(), box.top(), widest,
                          lines * lineHeight);
            if (widest > box.width())
                fault(where, c.name + " is " + std::to_string(widest) + " wide in a box of " +
                                 std::to_string(box.width()));
            if (ceilOf(text.height()) > box.height())
                fault(where, c.name + " is " + std::to_string(ceilOf(text.height())) +
                                 " high in a box of " + std::to_string(box.height()));
            break;
        }
        case ControlKind::FlatButton:
        case ControlKind::CheckmarkButton: {
            const int margin = c.kind == ControlKind::CheckmarkButton ? kCheckmarkCaptionMargin : 0;
            const qreal width = advance(w->font(), fromCp1252(c.caption()), w);
            text = QRectF(c.kind == ControlKind::FlatButton ? box.left() + (box.width() - width) / 2
                                                            : box.left() + margin,
                          box.top() + (box.height() - lineHeight) / 2, width, lineHeight);
            if (margin + ceilOf(width) > box.width())
                fault(where, c.name + "'s caption overruns its " + std::to_string(box.width()) +
                                 " pixels");
            if (ceilOf(lineHeight) > box.height()) fault(where, c.name + "'s caption is too high");
            break;
        }
        default:
            continue;
        }
        placed.push_back({c.name, text});
    }
    for (size_t i = 0; i < placed.size(); ++i)
        for (size_t j = i + 1; j < placed.size(); ++j)
            if (placed[i]
                    .text.adjusted(0, 0, -0.5, -0.5)
                    .intersects(placed[j].text.adjusted(0, 0, -0.5, -0.5)))
                fault(where, placed[i].name + " overprints " + placed[j].name);
}

// The dialog in the font the program gives it: the text, the icon and the strip keep apart,
// and each button's caption fits the room its style leaves inside it.
void checkMessageDialog() {
    const QFont font = QApplication::font();
    const QRect g = QGuiApplication::primaryScreen()->availableGeometry();
    const ScreenRect screen{g.left(), g.top(), g.right() + 1, g.bottom() + 1};
    const QString text = QString::fromUtf8(
        "Quiklex kunne ikke hente ordbogens side. Kontroller forbindelsen til internettet, og "
        "pr\xC3\xB8v igen om lidt.");
    const MessageWinLayout l0 = layoutMessageWin(messageWinMeasures(font, text, screen),
                                                 TMsgDlgType::warning, 0, std::nullopt, screen);
    for (int32_t code : {0, 1, 2, 3, 4}) {
        const std::string where = "message dialog " + std::to_string(code);
        const MessageWinLayout l =
            layoutMessageWin(messageWinMeasures(font, text, screen), TMsgDlgType::warning, code,
                             std::nullopt, screen);
        ++texts;
        const QRect body(l.text.left, l.text.top, l.text.width, l.text.height);
        const QRect icon =
            l.icon ? QRect(l.icon->left, l.icon->top, l.icon->width, l.icon->height) : QRect();
        const QRect strip(l.strip.left, l.strip.top, l.strip.width, l.strip.height);
        if (body.intersects(icon) || body.intersects(strip) || icon.intersects(strip))
            fault(where, "the text, the icon and the strip overlap");
        for (const std::optional<ButtonPlace>& place : {std::optional(l.left), l.right}) {
            if (!place) continue;
            ++texts;
            QPushButton button(fromCp1252(place->button.caption));
            button.setGeometry(place->bounds.left, place->bounds.top, place->bounds.width,
                               place->bounds.height);
            QStyleOptionButton option;
            option.initFrom(&button);
            option.text = button.text();
            const QRect room =
                button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
            const QFontMetricsF metrics(font, &button);
            if (ceilOf(metrics.horizontalAdvance(button.text())) > room.width() ||
                ceilOf(metrics.height()) > room.height())
                fault(where, std::string(place->button.caption) + " does not fit its button");
            if (place->bounds.left + place->bounds.width > l.strip.width ||
                place->bounds.top + place->bounds.height > l.strip.height)
                fault(where, std::string(place->button.caption) + " leaves the strip");
        }
    }
    std::printf("message dialog client %dx%d\n", l0.clientWidth, l0.clientHeight);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::printf("device pixel ratio %.2f\n", QGuiApplication::primaryScreen()->devicePixelRatio());
    checkForm(settingsFormLayout());
    checkForm(messagesFormLayout());
    checkMessageDialog();
    std::printf("texts %d faults %d\n", texts, faults);
    return faults == 0 ? 0 : 1;
}
