#pragma once

#include <QMap>
#include <QString>
#include <QVariant>

class DconfFixturePrivate;

// A compiled settings database for one test: keys are written to a keyfile,
// compiled with "dconf compile", and DCONF_PROFILE points at a profile that
// reads it ("file-db:<path>"). Every load() makes Touch::SettingsItem read
// the new database. The destructor restores DCONF_PROFILE.
//
// QVariant types give the stored type: bool b, int i, uint u, qlonglong x,
// qulonglong t, short n, ushort q, uchar y, double d, QString s,
// QStringList as, QByteArray ay.
class DconfFixture
{
public:
    DconfFixture();
    ~DconfFixture();

    DconfFixture(const DconfFixture&) = delete;
    DconfFixture& operator=(const DconfFixture&) = delete;

    // With a user database in front of the compiled one, writes go through
    // the dconf service on the (private) session bus. Takes effect at the
    // next load().
    void setUserDatabaseEnabled(bool enabled);

    // Full key paths ("/system/a/b/key") to values.
    bool load(const QMap<QString, QVariant>& values);
    // Raw keyfile text as "dconf compile" reads it.
    bool loadKeyfile(const QString& keyfile);

    QString databasePath() const;
    QString profilePath() const;

    // GVariant text of value, as a keyfile holds it; empty when the type has
    // no counterpart.
    static QString gvariantText(const QVariant& value);

private:
    DconfFixturePrivate* const d;
};
