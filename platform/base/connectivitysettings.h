#pragma once

#include "base/baseglobal.h"

#include <QObject>
#include <QString>
#include <QVariant>

namespace Velin {

class ConnectivitySettingsPrivate;

// Read access to the saved settings of one network type or one WLAN network.
class VELINBASE_EXPORT ConnectivitySettings : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int type READ type CONSTANT)
    Q_PROPERTY(QString path READ path CONSTANT)

public:
    enum Type {
        NetworkTypeSettings = 2,
        WlanSettings = 3
    };
    Q_ENUM(Type)

    ConnectivitySettings(int type, const QString& path, QObject* parent = nullptr);
    ~ConnectivitySettings() override;

    int type() const;
    QString path() const;

    // Invalid when unset, for an unknown type, or for a key holding "/".
    QVariant get(const QString& key) const;

    // The full settings-store path of key, or an empty string (with a
    // warning) when there is none.
    QString keyPath(const QString& key) const;

    // Percent-encodes one path component: the Latin-1 bytes of the string
    // when it has no character above U+00FF, else its UTF-8 bytes; every byte
    // outside A-Z a-z 0-9 - _ . becomes %XX.
    static QString encodePathComponent(const QString& component);

private:
    ConnectivitySettingsPrivate* const d;
};

} // namespace Velin
