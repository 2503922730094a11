#pragma once

#include "network.h"

#include <QList>
#include <QObject>
#include <QStringList>

class NetworkCataloguePrivate;

// The networks the simulator serves, read from a JSON data file
// (docs/platform-sim.md). A file with any error is refused as a whole and
// the networks served so far stay; error texts never quote a credential.
class NetworkCatalogue : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int count READ count NOTIFY changed)
    Q_PROPERTY(QString path READ path NOTIFY changed)
    Q_PROPERTY(QStringList ids READ ids NOTIFY changed)

public:
    explicit NetworkCatalogue(QObject* parent = nullptr);
    ~NetworkCatalogue() override;

    bool load(const QString& path, QString* error);
    bool loadJson(const QByteArray& json, QString* error);

    int count() const;
    // The file the networks came from; empty before the first load.
    QString path() const;
    // Ids (SSIDs as text) in file order; an SSID served by several access
    // points appears once per access point.
    QStringList ids() const;
    QList<Network> networks() const;

    // The first network the id names; false when there is none.
    bool find(const QString& id, Network* network) const;

    // What a scan finds: every network that broadcasts its SSID, plus the
    // hidden ones whose SSID a directed scan asked for.
    QList<Network> scanResults(const QByteArray& directedSsid) const;

Q_SIGNALS:
    void changed();

private:
    NetworkCataloguePrivate* const d;
};
