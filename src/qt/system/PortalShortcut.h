// The lookup shortcut through the desktop's portal (org.freedesktop.portal.GlobalShortcuts),
// where the desktop lets no program grab a key itself (Wayland): a session, the shortcut bound
// in it, and its activations.
#pragma once

#include <QDBusError>
#include <QDBusMessage>
#include <QObject>
#include <QString>

#include <functional>

namespace qlx::qt {

class PortalShortcut final : public QObject {
    Q_OBJECT

  public:
    // answered(bound) once: whether the portal took the shortcut (false at once without a
    // portal, or when it refuses); activated() at each press of the shortcut.
    PortalShortcut(std::function<void(bool bound)> answered, std::function<void()> activated);

    // trigger: the preferred trigger ("CTRL+SHIFT+c"), empty to let the desktop choose.
    void start(const QString& trigger);

  private Q_SLOTS:
    void versionReply(const QDBusMessage& reply);
    void versionError(const QDBusError& error);
    void sessionResponse(const QDBusMessage& response);
    void bindResponse(const QDBusMessage& response);
    void callError(const QDBusError& error);
    void requestReply(const QDBusMessage&) {}
    void activatedSignal(const QDBusMessage& signal);

  private:
    // Calls a portal method whose answer is a Response signal on a request object, listened
    // for before the call so that no answer is missed.
    void request(const QString& method, const QVariantList& args, const QString& token,
                 const char* responseSlot);
    void answer(bool bound);

    std::function<void(bool)> answered_;
    std::function<void()> activated_;
    QString trigger_;
    QString session_;
    bool answeredOnce_ = false;
};

} // namespace qlx::qt
