#pragma once
// The clash list of the layout window: every clash of the scan with its kind and its German line,
// and a check box "gewollt" that marks it intended or takes the mark back. Open clashes are amber.
// The mark is written through the writer the model is given and shows only when it succeeded.

#include "layout/LayoutSnapshot.h"

#include <QAbstractTableModel>

#include <functional>
#include <map>

class ClashTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Intended, Kind, Text, ColumnCount };

    // Marks a clash intended (or takes the mark back) in anlage.json; false when refused.
    using IntendedWriter = std::function<bool(const hq::ClashKey& key, bool intended)>;

    explicit ClashTableModel(QObject* parent = nullptr);

    void setSnapshot(SnapshotPtr snapshot);
    const SnapshotPtr& snapshot() const { return snapshot_; }
    void setIntendedWriter(IntendedWriter writer) { writer_ = std::move(writer); }
    const hq::Clash& clash(int row) const;
    bool isIntended(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    SnapshotPtr snapshot_;
    IntendedWriter writer_;
    std::map<int, bool> written_; // marks written since the snapshot was made
};
