#include "base/simplenotification.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>
#include <QtDebug>

namespace Velin {

namespace {

const char notificationService[] = "org.freedesktop.Notifications";
const char notificationPath[] = "/org/freedesktop/Notifications";
const char applicationName[] = "velin-wlan";
// A notification is never worth freezing the interface: the call is sent at
// once and stays sent; only waiting for its id is cut short (a service that
// is being started may answer later and still shows it).
const int replyTimeout = 1000;

} // namespace

uint SimpleNotification::show(const QString& eventType, const QString& summary, const QString& body,
                              const QString& image)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        qWarning("Velin::SimpleNotification: no session bus; notification not shown");
        return 0;
    }

    QDBusMessage message = QDBusMessage::createMethodCall(QLatin1String(notificationService),
                                                          QLatin1String(notificationPath),
                                                          QLatin1String(notificationService),
                                                          QStringLiteral("Notify"));
    QVariantMap hints;
    hints.insert(QStringLiteral("category"), eventType);
    message << QString(QLatin1String(applicationName)) // app_name
            << uint(0)                                 // replaces_id
            << image                                   // app_icon
            << summary << body
            << QStringList()                           // actions
            << hints
            << int(-1);                                // expire_timeout: the server decides

    const QDBusMessage reply = bus.call(message, QDBus::Block, replyTimeout);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        qWarning("Velin::SimpleNotification: notification not shown: %s", qPrintable(reply.errorMessage()));
        return 0;
    }
    const QList<QVariant> arguments = reply.arguments();
    if (reply.type() != QDBusMessage::ReplyMessage || arguments.isEmpty()
        || arguments.constFirst().userType() != QMetaType::UInt) {
        qWarning("Velin::SimpleNotification: unexpected answer from the notification service");
        return 0;
    }
    return arguments.constFirst().toUInt();
}

} // namespace Velin
