// The portal's global shortcut: CreateSession, BindShortcuts, then Activated.
#include "qt/system/PortalShortcut.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>

#include <optional>

namespace {

const char* const kPortal = "org.freedesktop.portal.Desktop";
const char* const kPortalPath = "/org/freedesktop/portal/desktop";
const char* const kShortcuts = "org.freedesktop.portal.GlobalShortcuts";
const char* const kRequest = "org.freedesktop.portal.Request";
const char* const kShortcutId = "lookup";
// An answer the user has to give in the desktop's dialog may take a while; none at all must
// not keep the question open for ever.
constexpr int kCallTimeoutMs = 120000;

// One entry of BindShortcuts' a(sa{sv}).
struct PortalShortcutEntry {
    QString id;
    QVariantMap properties;
};

} // namespace

Q_DECLARE_METATYPE(PortalShortcutEntry)

namespace {

QDBusArgument& operator<<(QDBusArgument& out, const PortalShortcutEntry& entry) {
    out.beginStructure();
    out << entry.id << entry.properties;
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, PortalShortcutEntry& entry) {
    in.beginStructure();
    in >> entry.id >> entry.properties;
    in.endStructure();
    return in;
}

// Response(u response, a{sv} results): the results when the response is 0 (success).
std::optional<QVariantMap> responseResults(const QDBusMessage& response) {
    const QList<QVariant> args = response.arguments();
    if (args.size() < 2 || args[0].toUInt() != 0) return std::nullopt;
    QVariantMap results;
    if (args[1].canConvert<QDBusArgument>())
        args[1].value<QDBusArgument>() >> results;
    else
        results = args[1].toMap();
    return results;
}

} // namespace

namespace qlx::qt {

PortalShortcut::PortalShortcut(std::function<void(bool)> answered, std::function<void()> activated)
    : answered_(std::move(answered)), activated_(std::move(activated)) {
    qDBusRegisterMetaType<PortalShortcutEntry>();
    qDBusRegisterMetaType<QList<PortalShortcutEntry>>();
}

void PortalShortcut::start(const QString& trigger) {
    trigger_ = trigger;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        answer(false);
        return;
    }
    // The portal is there and has the interface: its version property answers.
    QDBusMessage call = QDBusMessage::createMethodCall(kPortal, kPortalPath,
                                                       "org.freedesktop.DBus.Properties", "Get");
    call << QString(kShortcuts) << QString("version");
    if (!bus.callWithCallback(call, this, SLOT(versionReply(QDBusMessage)),
                              SLOT(versionError(QDBusError)), 10000))
        answer(false);
}

void PortalShortcut::versionReply(const QDBusMessage&) {
    QDBusConnection::sessionBus().connect(kPortal, kPortalPath, kShortcuts, "Activated", this,
                                          SLOT(activatedSignal(QDBusMessage)));
    request("CreateSession",
            {QVariantMap{{"handle_token", "quiklex_session"}, {"session_handle_token", "quiklex"}}},
            "quiklex_session", SLOT(sessionResponse(QDBusMessage)));
}

void PortalShortcut::versionError(const QDBusError&) {
    answer(false);
}

void PortalShortcut::callError(const QDBusError&) {
    answer(false);
}

void PortalShortcut::request(const QString& method, const QVariantList& args, const QString& token,
                             const char* responseSlot) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    // The request's object: the caller's unique name without ":" and with "_" for ".".
    QString sender = bus.baseService();
    sender.remove(0, 1).replace('.', '_');
    const QString path =
        QString("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token);
    bus.connect(kPortal, path, kRequest, "Response", this, responseSlot);
    QDBusMessage call = QDBusMessage::createMethodCall(kPortal, kPortalPath, kShortcuts, method);
    call.setArguments(args);
    if (!bus.callWithCallback(call, this, SLOT(requestReply(QDBusMessage)),
                              SLOT(callError(QDBusError)), kCallTimeoutMs))
        answer(false);
}

void PortalShortcut::sessionResponse(const QDBusMessage& response) {
    const std::optional<QVariantMap> results = responseResults(response);
    session_ = results ? results->value("session_handle").toString() : QString();
    if (session_.isEmpty()) {
        answer(false);
        return;
    }
    QVariantMap properties{{"description", QString::fromUtf8("Slå ord op i ordbogen")}};
    if (!trigger_.isEmpty()) properties.insert("preferred_trigger", trigger_);
    const QList<PortalShortcutEntry> shortcuts{{kShortcutId, properties}};
    request("BindShortcuts",
            {QVariant::fromValue(QDBusObjectPath(session_)), QVariant::fromValue(shortcuts),
             QString(), QVariantMap{{"handle_token", "quiklex_bind"}}},
            "quiklex_bind", SLOT(bindResponse(QDBusMessage)));
}

void PortalShortcut::bindResponse(const QDBusMessage& response) {
    const std::optional<QVariantMap> results = responseResults(response);
    answer(results.has_value());
}

void PortalShortcut::activatedSignal(const QDBusMessage& signal) {
    // Activated(o session_handle, s shortcut_id, t timestamp, a{sv} options)
    const QList<QVariant> args = signal.arguments();
    if (args.size() < 2 || session_.isEmpty()) return;
    if (args[0].value<QDBusObjectPath>().path() != session_ || args[1].toString() != kShortcutId)
        return;
    activated_();
}

void PortalShortcut::answer(bool bound) {
    if (answeredOnce_) return;
    answeredOnce_ = true;
    answered_(bound);
}

} // namespace qlx::qt
