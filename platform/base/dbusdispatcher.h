#pragma once

#include "base/baseglobal.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace Velin {

class DBusDispatcherPrivate;

// Talks to one daemon on the system bus: asynchronous method calls on its
// request path, and every signal it emits on its signal path.
class VELINBASE_EXPORT DBusDispatcher : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString service READ service CONSTANT)
    Q_PROPERTY(QString requestPath READ requestPath CONSTANT)
    Q_PROPERTY(QString requestInterface READ requestInterface CONSTANT)
    Q_PROPERTY(QString signalPath READ signalPath CONSTANT)
    Q_PROPERTY(QStringList signalInterfaces READ signalInterfaces NOTIFY signalInterfacesChanged)

public:
    DBusDispatcher(const QString& service, const QString& requestPath, const QString& requestInterface,
                   const QString& signalPath, QObject* parent = nullptr);
    ~DBusDispatcher() override;

    QString service() const;
    QString requestPath() const;
    QString requestInterface() const;
    QString signalPath() const;

    // Interfaces whose signals on the signal path are being delivered: the
    // request interface, the interface named after the signal path, and every
    // interface the service's introspection data lists for that path.
    QStringList signalInterfaces() const;

    // Sends method(a1, ..., a8) with the valid arguments in order; false when
    // the message could not be sent. The answer comes with callReply().
    bool callAsynchronous(const QString& method,
                          const QVariant& a1 = QVariant(), const QVariant& a2 = QVariant(),
                          const QVariant& a3 = QVariant(), const QVariant& a4 = QVariant(),
                          const QVariant& a5 = QVariant(), const QVariant& a6 = QVariant(),
                          const QVariant& a7 = QVariant(), const QVariant& a8 = QVariant());

Q_SIGNALS:
    void callReply(const QString& method, const QList<QVariant>& arguments, const QString& error);
    void signalReceived(const QString& interface, const QString& signal, const QList<QVariant>& arguments);
    void signalInterfacesChanged(const QStringList& interfaces);

private:
    DBusDispatcherPrivate* const d;
    friend class DBusDispatcherPrivate;
};

} // namespace Velin
