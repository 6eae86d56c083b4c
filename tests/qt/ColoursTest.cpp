// The Linux windows' colours under a dark desktop palette and in high contrast: every text of
// the settings window stands out from the background it is drawn on.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPalette>

#include <algorithm>
#include <cmath>
#include <map>

#include "forms/SettingsForm.h"
#include "qt/forms/FormWindow.h"
#include "qt/system/DesktopColours.h"

using namespace qlx;
using namespace qlx::qt;

namespace {

class Form final : public FormWindow {
  public:
    Form() : FormWindow(settingsFormLayout()) { build(); }
};

QPalette darkPalette() {
    QPalette p;
    p.setColor(QPalette::Window, QColor(0x20, 0x20, 0x20));
    p.setColor(QPalette::WindowText, QColor(0xF0, 0xF0, 0xF0));
    p.setColor(QPalette::Base, QColor(0x10, 0x10, 0x10));
    p.setColor(QPalette::Text, QColor(0xF0, 0xF0, 0xF0));
    p.setColor(QPalette::Button, QColor(0x30, 0x30, 0x30));
    p.setColor(QPalette::ButtonText, QColor(0xFF, 0xFF, 0xFF));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x90, 0x90, 0x90));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x90, 0x90, 0x90));
    return p;
}

double luminance(QRgb c) {
    const auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
}

double contrast(QRgb a, QRgb b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The background is the commonest colour of the text's box; the text is the pixel that
// differs most from it.
double textContrast(const QImage& image) {
    std::map<QRgb, int> count;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++count[image.pixel(x, y)];
    const QRgb background =
        std::max_element(count.begin(), count.end(), [](const auto& a, const auto& b) {
            return a.second < b.second;
        })->first;
    double best = 1;
    for (const auto& [colour, n] : count)
        best = std::max(best, contrast(colour, background));
    return best;
}

} // namespace

TEST(QtColours, EveryTextStandsOutFromItsBackground) {
    struct Case {
        const char* name;
        bool dark;
        ColourMode mode;
    };
    const Case cases[] = {
        {"light, fixed pairs", false, ColourMode::normal},
        {"dark palette, fixed pairs", true, ColourMode::normal},
        {"dark palette, high contrast", true, ColourMode::highContrast},
    };
    const QPalette light = QApplication::palette();
    for (const Case& c : cases) {
        const QPalette palette = c.dark ? darkPalette() : light;
        QApplication::setPalette(palette);
        setColours(c.mode == ColourMode::normal ? ColourScheme()
                                                : ColourScheme(c.mode, paletteColours(palette)));
        Form form;
        form.show();
        const QImage shot = form.grab().toImage();
        int texts = 0;
        for (const ControlDesc& d : form.desc().controls) {
            const QWidget* w = form.control(d.name);
            if (!w || !w->isVisible() || d.caption().empty() || d.kind == ControlKind::Panel)
                continue;
            const QRect box(w->mapTo(&form, QPoint(0, 0)), w->size());
            EXPECT_GE(textContrast(shot.copy(box)), 3.0) << c.name << ": " << d.name;
            ++texts;
        }
        EXPECT_GE(texts, 10) << c.name;
        // In high contrast the window is the palette's, not the program's white.
        const QRgb corner = shot.pixel(5, shot.height() / 2);
        if (c.mode == ColourMode::highContrast)
            EXPECT_EQ(QColor(corner), palette.color(QPalette::Window)) << c.name;
        else
            EXPECT_EQ(QColor(corner), QColor(Qt::white)) << c.name;
    }
    QApplication::setPalette(light);
    setColours(ColourScheme());
}

TEST(QtColours, HighContrastComesFromTheDesktopOrTheOverride) {
    struct Case {
        DesktopContrast contrast;
        ColourMode mode;
    };
    const Case cases[] = {
        {{}, ColourMode::normal},
        {{0u, std::nullopt, std::nullopt}, ColourMode::normal},
        {{1u, std::nullopt, std::nullopt}, ColourMode::highContrast},
        {{std::nullopt, true, std::nullopt}, ColourMode::highContrast},
        {{0u, false, std::nullopt}, ColourMode::normal},
        {{1u, true, false}, ColourMode::normal},
        {{std::nullopt, std::nullopt, true}, ColourMode::highContrast},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(desktopColourMode(cases[i].contrast), cases[i].mode) << i;
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
