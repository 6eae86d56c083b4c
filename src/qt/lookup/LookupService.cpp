#include "qt/lookup/LookupService.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>

namespace qlx::qt {

bool registerLookupService(LookupService& service, bool& busAvailable) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    busAvailable = bus.isConnected();
    if (!busAvailable) return true;
    if (!bus.registerObject(kBusPath, &service, QDBusConnection::ExportAllSlots)) return false;
    return bus.registerService(kBusName);
}

bool forwardToRunningInstance(bool clipboard) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return false;
    QDBusMessage call = QDBusMessage::createMethodCall(kBusName, kBusPath, kBusName,
                                                       clipboard ? "LookUpClipboard" : "ShowPanel");
    const QDBusMessage reply = bus.call(call, QDBus::Block, 10000);
    return reply.type() == QDBusMessage::ReplyMessage;
}

} // namespace qlx::qt
