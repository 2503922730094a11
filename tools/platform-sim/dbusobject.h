#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QString>

#include <functional>

class DBusObjectPrivate;

// One object path served by hand: every method call (except the standard
// org.freedesktop.DBus.* interfaces, which Qt answers) goes to the handler,
// which checks the arguments itself and answers, or deliberately does not.
class DBusObject : public QDBusVirtualObject
{
    Q_OBJECT

public:
    using Handler = std::function<void(const QDBusMessage& call)>;

    DBusObject(const QString& introspection, const Handler& handler, QObject* parent = nullptr);
    ~DBusObject() override;

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;
    QString introspect(const QString& path) const override;

    // Sends answer to call unless the caller said it wants none.
    static bool answer(const QDBusConnection& connection, const QDBusMessage& call, const QDBusMessage& answer);
    // The standard error for a method the object does not have.
    static bool answerUnknownMethod(const QDBusConnection& connection, const QDBusMessage& call);

    static const QString unknownMethodError;

private:
    DBusObjectPrivate* const d;
};
