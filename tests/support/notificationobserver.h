#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

class NotificationObserverPrivate;

// A notification server (org.freedesktop.Notifications) on the private
// session bus that records what it is asked to show. Notify answers with ids
// counting up from 1.
class NotificationObserver : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int count READ count NOTIFY notificationReceived)
    Q_PROPERTY(bool registered READ isRegistered CONSTANT)

public:
    struct Notification
    {
        uint id = 0;
        QString appName;
        uint replacesId = 0;
        QString icon;
        QString summary;
        QString body;
        QStringList actions;
        QVariantMap hints;
        int expireTimeout = 0;

        QString category() const { return hints.value(QStringLiteral("category")).toString(); }
    };

    explicit NotificationObserver(QObject* parent = nullptr);
    ~NotificationObserver() override; // the service goes away with the observer

    bool isRegistered() const;

    QList<Notification> notifications() const;
    int count() const;
    Notification last() const;
    QList<uint> closedIds() const;
    void clear();

Q_SIGNALS:
    void notificationReceived(uint id);

private:
    NotificationObserverPrivate* const d;
};
