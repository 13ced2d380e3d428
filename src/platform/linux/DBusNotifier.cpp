#include "platform/linux/DBusNotifier.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QVariantMap>

namespace {
const QString kService = QStringLiteral("org.freedesktop.Notifications");
}

void DBusNotifier::notify(const QString& title, const QString& body)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface() || !bus.interface()->isServiceRegistered(kService)) {
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(kService, QStringLiteral("/org/freedesktop/Notifications"),
                                                       kService, QStringLiteral("Notify"));
    QVariantMap hints;
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue(uchar(2))); // critical: stays until seen
    call << QCoreApplication::applicationName() << uint(0) << QStringLiteral("appointment-soon") << title << body
         << QStringList() << hints << int(-1);
    // Not waited for: a slow notification service must not hold the alarm up.
    bus.call(call, QDBus::NoBlock);
}
