// Reading the desktop's contrast wish from the desktop portal and its palette from Qt.
#include "qt/system/DesktopColours.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QWidget>

#include <cstdlib>
#include <cstring>

namespace qlx::qt {

namespace {

constexpr const char* kPortal = "org.freedesktop.portal.Desktop";
constexpr const char* kPortalPath = "/org/freedesktop/portal/desktop";
constexpr const char* kSettings = "org.freedesktop.portal.Settings";
// A portal that does not answer at once must not hold up the start.
constexpr int kPortalTimeoutMs = 700;

ColourScheme current;
bool read = false;

uint32_t bgr(const QColor& c) {
    return static_cast<uint32_t>(c.red()) | static_cast<uint32_t>(c.green()) << 8 |
           static_cast<uint32_t>(c.blue()) << 16;
}

// A setting through the portal: ReadOne where the portal has it, else the older Read, whose
// value comes wrapped once more.
std::optional<QVariant> portalSetting(const QString& space, const QString& key) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return std::nullopt;
    for (const char* method : {"ReadOne", "Read"}) {
        QDBusMessage call = QDBusMessage::createMethodCall(kPortal, kPortalPath, kSettings, method);
        call << space << key;
        const QDBusMessage reply = bus.call(call, QDBus::Block, kPortalTimeoutMs);
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
            // Without the method ask the older one; any other error (no portal, no such
            // setting) is the answer.
            if (reply.errorName() == "org.freedesktop.DBus.Error.UnknownMethod") continue;
            return std::nullopt;
        }
        QVariant value = reply.arguments().first();
        for (int unwrap = 0; unwrap < 2 && value.canConvert<QDBusVariant>(); ++unwrap)
            value = value.value<QDBusVariant>().variant();
        return value;
    }
    return std::nullopt;
}

DesktopContrast desktopContrast() {
    DesktopContrast contrast;
    if (const char* env = std::getenv("QUIKLEX_HIGH_CONTRAST"); env && *env)
        contrast.override = std::strcmp(env, "0") != 0;
    if (contrast.override) return contrast;
    if (const auto v = portalSetting("org.freedesktop.appearance", "contrast"))
        contrast.portalContrast = v->toUInt();
    if (const auto v = portalSetting("org.gnome.desktop.a11y.interface", "high-contrast"))
        contrast.gnomeHighContrast = v->toBool();
    return contrast;
}

void readAndTell() {
    if (!readColours()) return;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        QEvent changed(coloursChangedEvent());
        QApplication::sendEvent(w, &changed);
    }
    for (QWidget* w : QApplication::allWidgets())
        w->update();
}

// The portal's signal lands here, and so does a new palette (whose colours high contrast
// uses).
class ChangeFollower final : public QObject {
    Q_OBJECT
  public slots:
    void settingChanged(const QString& space, const QString& key, const QDBusVariant&) {
        if ((space == "org.freedesktop.appearance" && key == "contrast") ||
            (space == "org.gnome.desktop.a11y.interface" && key == "high-contrast"))
            readAndTell();
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange)
            QMetaObject::invokeMethod(this, &readAndTell, Qt::QueuedConnection);
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

ColourMode desktopColourMode(const DesktopContrast& contrast) {
    if (contrast.override)
        return *contrast.override ? ColourMode::highContrast : ColourMode::normal;
    const bool high = contrast.portalContrast == 1u || contrast.gnomeHighContrast == true;
    return high ? ColourMode::highContrast : ColourMode::normal;
}

SystemColours paletteColours(const QPalette& palette) {
    SystemColours system{};
    const auto set = [&](int index, QPalette::ColorGroup group, QPalette::ColorRole role) {
        system[static_cast<size_t>(index)] = bgr(palette.color(group, role));
    };
    set(kSysWindow, QPalette::Active, QPalette::Window);
    set(kSysWindowText, QPalette::Active, QPalette::WindowText);
    set(kSysWindowFrame, QPalette::Active, QPalette::WindowText);
    set(kSysButtonFace, QPalette::Active, QPalette::Button);
    set(kSysButtonText, QPalette::Active, QPalette::ButtonText);
    set(kSysGrayText, QPalette::Disabled, QPalette::WindowText);
    set(kSysHighlight, QPalette::Active, QPalette::Highlight);
    set(kSysHotLight, QPalette::Active, QPalette::Link);
    return system;
}

const ColourScheme& colours() {
    if (!read) readColours();
    return current;
}

void setColours(const ColourScheme& scheme) {
    current = scheme;
    read = true;
}

bool readColours() {
    const ColourScheme before = current;
    const ColourMode mode = desktopColourMode(desktopContrast());
    setColours(mode == ColourMode::normal
                   ? ColourScheme()
                   : ColourScheme(mode, paletteColours(QApplication::palette())));
    return !(current == before);
}

QEvent::Type coloursChangedEvent() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void followDesktopColours() {
    static ChangeFollower follower;
    qApp->installEventFilter(&follower);
    QDBusConnection::sessionBus().connect(kPortal, kPortalPath, kSettings, "SettingChanged",
                                          &follower,
                                          SLOT(settingChanged(QString, QString, QDBusVariant)));
}

QColor qtColourOf(uint32_t colour) {
    if (colour & kSystemColourBit) {
        const SystemColours system = paletteColours(QApplication::palette());
        colour = system[static_cast<size_t>(colour & 0xFF) % system.size()];
    }
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

} // namespace qlx::qt

#include "DesktopColours.moc"
