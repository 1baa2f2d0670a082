#pragma once
// The decoder table of the layout window: one row per decoder file with its name and note (edited
// in place), firmware, kind, protocol, version, used addresses and warnings. A decoder with a row
// in a clash not marked intended is amber, the clashes in its tooltip. The model holds a snapshot
// of one scan and is given the next one whole; a name or note typed in is written through the
// writer it is given, and shows only when the writer succeeded.

#include "layout/Layout.h"
#include "layout/LayoutSnapshot.h"

#include <QAbstractTableModel>

#include <functional>
#include <map>
#include <string>

class DecoderTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { File, Name, Note, Firmware, Kind, Protocol, Version, Addresses, Warnings, ColumnCount };

    // Writes a decoder's name and note to anlage.json; false when the write was refused (and said so).
    using NoteWriter = std::function<bool(const std::string& file, const hq::DecoderNote& note)>;

    explicit DecoderTableModel(QObject* parent = nullptr);

    void setSnapshot(SnapshotPtr snapshot);
    const SnapshotPtr& snapshot() const { return snapshot_; }
    void setNoteWriter(NoteWriter writer) { writer_ = std::move(writer); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    hq::DecoderNote noteOf(int row) const;
    QVariant display(int row, int column) const;
    QString toolTip(int row, int column) const;

    SnapshotPtr snapshot_;
    NoteWriter writer_;
    // Names and notes written since the snapshot was made; the next scan reads them from the file.
    std::map<int, hq::DecoderNote> written_;
};
