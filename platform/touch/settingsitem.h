#pragma once

#include "touch/touchglobal.h"

#include <QObject>
#include <QStringList>
#include <QVariant>

namespace Touch {

class SettingsItemPrivate;

// One key (or directory) of the settings store. Reads go through one
// process-wide dconf client, so creating items and reading them is cheap.
class VELINTOUCH_EXPORT SettingsItem : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString key READ key CONSTANT)
    Q_PROPERTY(QVariant value READ value)
    Q_PROPERTY(QStringList dirs READ listDirs)
    Q_PROPERTY(QStringList keys READ listKeys)

public:
    explicit SettingsItem(const QString& key, QObject* parent = nullptr);
    ~SettingsItem() override;

    QString key() const;

    // Invalid when the key is unset, not a valid key path, or holds a type
    // that has no QVariant counterpart here.
    QVariant value() const;
    QVariant value(const QVariant& defaultValue) const;

    // Full paths ("/a/b/c", no trailing slash) of the child directories, sorted.
    QStringList listDirs() const;

    // Full paths of the keys directly in this directory, sorted.
    QStringList listKeys() const;

    // Writes through the dconf service on the session bus; an invalid value
    // resets the key. A QVariantList is stored as "av" (and read back as a
    // QVariantList) when every item has a stored type. Returns false (with a warning) when the store refuses.
    bool set(const QVariant& value);
    bool unset();

    // Resets every key below the directory path (with or without the
    // trailing slash) through the dconf service. Returns false (with a
    // warning) for a path that is not a directory or when the store refuses.
    // Keys of read-only databases stay.
    static bool resetDirectory(const QString& path);

    // Drops the shared client; the next read opens the databases again, as
    // selected by DCONF_PROFILE at that moment.
    static void reload();

private:
    SettingsItemPrivate* const d;
};

} // namespace Touch
