#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QtGlobal>

#include <functional>

// Inputs shared by the suites of the access-point model.
namespace NetTestData {

// A WLAN data list as the framework builds it.
inline QList<QVariant> wlanData(const QByteArray& ssid, const QString& type = QStringLiteral("WLAN_INFRA"),
                                uint attributes = 0)
{
    return QList<QVariant>{QString(QLatin1String("")), 0u, QString(QLatin1String("")), type, attributes,
                           QByteArray(ssid + '\0')};
}

// Collects every message logged while it lives (and passes them on).
class LogCapture
{
public:
    LogCapture()
    {
        current = this;
        previous = qInstallMessageHandler(&LogCapture::handle);
    }
    ~LogCapture()
    {
        qInstallMessageHandler(previous);
        current = nullptr;
    }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    QStringList messages;
    QStringList warnings;

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        if (current) {
            current->messages.append(message);
            if (type == QtWarningMsg)
                current->warnings.append(message);
        }
        if (current && current->previous)
            current->previous(type, context, message);
    }

    static inline LogCapture* current = nullptr;
    QtMessageHandler previous = nullptr;
};

} // namespace NetTestData
