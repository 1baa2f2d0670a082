#pragma once
// The address table of the layout window: every used address of every decoder, in the order of
// the address index (protocol, address space, address, colour or function, file, row), with what
// it reacts to, what the firmware does there, the decoder file, its row and the clashes. A row in a
// clash not marked intended is amber; its tooltip names the other parties, the address help's
// headline and numbering and the row's warnings.

#include "layout/LayoutSnapshot.h"

#include <QAbstractTableModel>

class AddressTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Protocol, Address, Reaction, File, Row, Caption, Clash, Use, ColumnCount };

    explicit AddressTableModel(QObject* parent = nullptr);

    void setSnapshot(SnapshotPtr snapshot);
    const SnapshotPtr& snapshot() const { return snapshot_; }
    // The entry of the address index a table row shows.
    const hq::AddressEntry& entry(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QVariant display(int row, int column) const;
    QString toolTip(int row) const;

    SnapshotPtr snapshot_;
};

// What names an address table row across a rescan: its decoder file and row (a row has one address,
// so the row stays selected when its address is changed).
QString addressKey(const hq::LayoutScan& scan, const hq::AddressEntry& entry);
