#pragma once

#include "network.h"

#include <QObject>
#include <QString>

class SettingsWriterPrivate;

// Saves a network that WPS configured into the settings store, the way the
// framework saves an access point: one key per property under
// "/system/ravo/connectivity/wlan/<percent-encoded SSID>/", written through
// the dconf service on the session bus. Disabled unless asked for, so that
// a simulator on a developer's machine leaves the real store alone.
class SettingsWriter : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(int saved READ saved)

public:
    static const QString wlanRoot;

    explicit SettingsWriter(QObject* parent = nullptr);
    ~SettingsWriter() override;

    void setEnabled(bool enabled);
    bool isEnabled() const;
    // Networks saved so far.
    int saved() const;

    // The settings directory of an access point id, with the trailing "/".
    static QString directory(const QString& id);

    // Resets the network's settings folder, then writes the network's
    // credentials, "wlan_security" and "type". True when disabled (nothing
    // to do) or every key was written.
    bool save(const Network& network);

private:
    SettingsWriterPrivate* const d;
};
