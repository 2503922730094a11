#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>

#include <functional>

class FakeDBusServicePrivate;

// A stand-in for a daemon outside the system, speaking real D-Bus: it owns a
// well-known name on its own connection to the (private) session or system
// bus, records every method call on any path, answers with configured
// replies or errors (or not at all), and emits signals.
//
// The service runs in a thread of its own, so code under test may call it
// with blocking calls from the main thread. Handlers run in that thread.
class FakeDBusService : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString serviceName READ serviceName CONSTANT)
    Q_PROPERTY(QString uniqueName READ uniqueName CONSTANT)
    Q_PROPERTY(bool registered READ isRegistered CONSTANT)
    Q_PROPERTY(int callCount READ callCount NOTIFY callReceived)

public:
    enum Bus { SessionBus, SystemBus };

    struct Call
    {
        QString path;
        QString interface;
        QString member;
        QString signature;
        QList<QVariant> arguments; // plain values (see Velin::DBusValues)
        QDBusMessage message;      // the call itself, for deferred answers
    };

    struct Reply
    {
        enum Kind { Arguments, Error, Silent };
        Kind kind = Arguments;
        QList<QVariant> arguments;
        QString errorName;
        QString errorMessage;

        static Reply withArguments(const QList<QVariant>& arguments);
        static Reply error(const QString& name, const QString& message);
        static Reply silent();
    };

    using Handler = std::function<Reply(const Call&)>;

    FakeDBusService(Bus bus, const QString& serviceName, QObject* parent = nullptr);
    ~FakeDBusService() override; // releases the name

    QString serviceName() const;
    QString uniqueName() const;
    bool isRegistered() const;
    QDBusConnection connection() const;

    // How a method (by member name, any path/interface) is answered. Without
    // a configuration a call gets an empty reply.
    void setReply(const QString& member, const QList<QVariant>& arguments);
    void setError(const QString& member, const QString& errorName, const QString& errorMessage);
    void setSilent(const QString& member);
    void setHandler(const QString& member, const Handler& handler);
    void setDefaultReply(const Reply& reply);

    // Introspection data (the <interface> elements) served for path.
    void setIntrospection(const QString& path, const QString& interfacesXml);

    QList<Call> calls() const;
    QList<Call> calls(const QString& member) const;
    int callCount() const;
    int callCount(const QString& member) const;
    Call lastCall() const;
    void clearCalls();

    // Answers a call that was left unanswered (Reply::silent()).
    bool answer(const Call& call, const QList<QVariant>& arguments);
    bool answerWithError(const Call& call, const QString& errorName, const QString& errorMessage);

    // Returns once the bus has the signal, so signals sent one after another
    // (from any fake) reach listeners in that order.
    bool emitSignal(const QString& path, const QString& interface, const QString& name,
                    const QList<QVariant>& arguments = QList<QVariant>());

Q_SIGNALS:
    void callReceived(const QString& member, const QList<QVariant>& arguments);

private:
    FakeDBusServicePrivate* const d;
};
