// Marks written show at once; the next scan reads them back from anlage.json.

#include "layout/ClashTableModel.h"

#include "QtText.h"
#include "layout/LayoutRoles.h"

ClashTableModel::ClashTableModel(QObject* parent) : QAbstractTableModel(parent), snapshot_(emptySnapshot()) {}

void ClashTableModel::setSnapshot(SnapshotPtr snapshot) {
    beginResetModel();
    snapshot_ = snapshot ? std::move(snapshot) : emptySnapshot();
    written_.clear();
    endResetModel();
}

const hq::Clash& ClashTableModel::clash(int row) const {
    return snapshot_->scan().clashes[static_cast<std::size_t>(row)];
}

bool ClashTableModel::isIntended(int row) const {
    if (auto found = written_.find(row); found != written_.end())
        return found->second;
    return clash(row).intended;
}

int ClashTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(snapshot_->scan().clashes.size());
}

int ClashTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ClashTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const int row = index.row();
    const hq::Clash& shown = clash(row);
    const bool intended = isIntended(row);
    switch (role) {
    case Qt::DisplayRole:
        if (index.column() == Intended)
            return intended ? QStringLiteral("gewollt") : QString();
        if (index.column() == Kind)
            return clashKindText(shown);
        return qs(shown.text);
    case Qt::CheckStateRole:
        if (index.column() == Intended)
            return intended ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::ToolTipRole:
        return QString(qs(shown.text) + (intended
                                             ? QStringLiteral("\n\nAls gewollt markiert (in anlage.json).")
                                             : QStringLiteral("\n\nDas Häkchen bei „gewollt“ markiert sie "
                                                              "als gewollt (in anlage.json).")));
    case Qt::BackgroundRole:
        return intended ? QVariant() : QVariant(kClashAmber);
    case layout_roles::Sort:
        if (index.column() == Intended)
            return intended ? 1 : 0;
        if (index.column() == Text)
            return row; // the order of the index
        return clashKindText(shown);
    case layout_roles::OpenClash:
        return !intended;
    case layout_roles::AnyClash:
        return true;
    case layout_roles::Key:
        // The line names what is reacted to and every party: the same clash on the next scan.
        return QString(QString::number(static_cast<int>(shown.key.kind)) + QLatin1Char('|') + qs(shown.text));
    default:
        break;
    }
    return {};
}

QVariant ClashTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole) {
        switch (section) {
        case Intended:
            return QStringLiteral("Gewollt");
        case Kind:
            return QStringLiteral("Art");
        default:
            return QStringLiteral("Doppelbelegung");
        }
    }
    if (role == Qt::ToolTipRole && section == Intended)
        return QStringLiteral("Gewollte Doppelbelegungen (etwa ein Signal, das seiner Weiche folgt) "
                              "werden nicht mehr als Fehler gezählt");
    return {};
}

Qt::ItemFlags ClashTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == Intended && writer_)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

bool ClashTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::CheckStateRole || !index.isValid() || index.column() != Intended || !writer_)
        return false;
    const int row = index.row();
    const bool intended = value.toInt() == Qt::Checked;
    if (intended == isIntended(row))
        return false;
    if (!writer_(clash(row).key, intended))
        return false;
    written_[row] = intended;
    emit dataChanged(this->index(row, 0), this->index(row, ColumnCount - 1));
    return true;
}
