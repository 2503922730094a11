#pragma once

#include "net/netglobal.h"
#include "net/scanresult.h"

#include <QAbstractTableModel>
#include <QList>

namespace Velin {

class ConnectionModelPrivate;

// The WLAN networks to offer: those found by the last scan and, unless in
// found-connections mode, the saved ones. One row per SSID (its strongest
// BSS), best ranking first, then by SSID.
class VELINNET_EXPORT ConnectionModel : public QAbstractTableModel
{
    Q_OBJECT
    Q_PROPERTY(bool scanning READ isScanning NOTIFY scanningChanged)
    Q_PROPERTY(bool foundConnectionsMode READ isFoundConnectionsMode)

public:
    enum Column {
        NameColumn = 0,           // SSID text
        SignalStrengthColumn = 1, // 0..10
        RankingColumn = 2,        // signal strength + 1: higher is better
        ColumnCount = 3
    };
    Q_ENUM(Column)

    enum Role {
        ScanResultRole = Qt::UserRole + 1 // the row's ScanResult
    };
    Q_ENUM(Role)

    explicit ConnectionModel(QObject* parent = nullptr);
    ~ConnectionModel() override;

    // From now on, rows are only the networks the last scan found.
    void setFoundConnectionsMode();
    bool isFoundConnectionsMode() const;

    // True from startScan() until results, an error or the 10 s timeout.
    bool isScanning() const;

    // Every BSS of the row's network, strongest first (one ScanResult for a
    // saved network that was not found); empty for a row out of range.
    QList<ScanResult> connectionsAt(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // clamp((dBm + 100) / 6, 0, 10), rounded.
    static int signalStrengthFromLevel(int dBm);

public Q_SLOTS:
    // Asks the WLAN daemon for a broad scan.
    void startScan();
    // Reads the saved networks again and rebuilds the rows.
    void refresh();

Q_SIGNALS:
    // A "scan_results" signal arrived and the rows were rebuilt.
    void scanStopped();
    // The scan was refused, there is no bus, or no results came within 10 s.
    void scanError();
    void scanningChanged(bool scanning);

private:
    ConnectionModelPrivate* const d;
    friend class ConnectionModelPrivate;
};

} // namespace Velin
