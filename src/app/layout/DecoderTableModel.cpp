// Cells are computed from the snapshot when asked; the snapshot has the clash lookups ready.

#include "layout/DecoderTableModel.h"

#include "QtText.h"
#include "layout/LayoutRoles.h"

namespace decoder_table {
namespace {

const char* const kHeaders[] = {"Datei",     "Name",    "Notiz",    "Firmware", "Art",
                                "Protokoll", "Version", "Adressen", "Warnungen"};

const char* const kHeaderTips[] = {
    "Die HEX-Datei, im Ordner der Anlage",
    "Ein Name für den Dekoder; Doppelklick oder F2 ändert ihn (steht in anlage.json)",
    "Eine Notiz zum Dekoder; Doppelklick oder F2 ändert sie (steht in anlage.json)",
    "Die Firmware, wie die Statusleiste sie nennt",
    "Die Firmware-Art",
    "Protokoll und Dekodertyp",
    "Die Firmware-Version",
    "Die benutzten Adressen",
    "Warnungen der Adresshilfe und der Datei",
};

} // namespace
} // namespace decoder_table

DecoderTableModel::DecoderTableModel(QObject* parent)
    : QAbstractTableModel(parent), snapshot_(emptySnapshot()) {}

void DecoderTableModel::setSnapshot(SnapshotPtr snapshot) {
    beginResetModel();
    snapshot_ = snapshot ? std::move(snapshot) : emptySnapshot();
    written_.clear();
    endResetModel();
}

int DecoderTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(snapshot_->scan().decoders.size());
}

int DecoderTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

hq::DecoderNote DecoderTableModel::noteOf(int row) const {
    if (auto found = written_.find(row); found != written_.end())
        return found->second;
    const hq::LayoutDecoder& decoder = snapshot_->scan().decoders[static_cast<std::size_t>(row)];
    return {decoder.name, decoder.note};
}

QVariant DecoderTableModel::display(int row, int column) const {
    const hq::LayoutDecoder& decoder = snapshot_->scan().decoders[static_cast<std::size_t>(row)];
    switch (column) {
    case File:
        return qs(decoder.file);
    case Name:
        return qs(noteOf(row).name);
    case Note:
        return qs(noteOf(row).note);
    case Firmware:
        return qs(decoder.caption);
    case Kind:
        return decoder.kind;
    case Protocol:
        return decoderProtocolText(decoder);
    case Version:
        return qs(decoder.version);
    case Addresses:
        return snapshot_->addressesOf(row);
    case Warnings:
        if (decoder.warnings.empty())
            return QString();
        if (decoder.warnings.size() == 1)
            return qs(decoder.warnings.front());
        return QStringLiteral("%1 (und %2 weitere)")
            .arg(qs(decoder.warnings.front()))
            .arg(decoder.warnings.size() - 1);
    default:
        break;
    }
    return {};
}

QString DecoderTableModel::toolTip(int row, int column) const {
    const hq::LayoutDecoder& decoder = snapshot_->scan().decoders[static_cast<std::size_t>(row)];
    QStringList lines;
    if (column == Warnings) {
        for (const std::string& warning : decoder.warnings)
            lines.append(qs(warning));
    } else if (column == Name || column == Note) {
        lines.append(QStringLiteral("Doppelklick oder F2 ändert den Eintrag; er steht in anlage.json."));
    } else {
        lines.append(QStringLiteral("Doppelklick öffnet %1 in einem eigenen Fenster.").arg(qs(decoder.file)));
    }
    const QStringList clashes = snapshot_->clashTextsOfDecoder(row);
    if (!clashes.isEmpty())
        lines.append(QStringLiteral("Doppelbelegungen:\n") + clashes.join(QLatin1Char('\n')));
    return lines.join(QStringLiteral("\n\n"));
}

QVariant DecoderTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const int row = index.row();
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return display(row, column);
    case Qt::ToolTipRole:
        return toolTip(row, column);
    case Qt::BackgroundRole:
        if (snapshot_->decoderHasOpenClash(row))
            return kClashAmber;
        return {};
    case Qt::TextAlignmentRole:
        if (column == Kind)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    case layout_roles::Sort:
        if (column == Addresses)
            return snapshot_->lowestAddressOf(row);
        if (column == Warnings)
            return static_cast<int>(
                snapshot_->scan().decoders[static_cast<std::size_t>(row)].warnings.size());
        return display(row, column);
    case layout_roles::File:
    case layout_roles::Key:
        return qs(snapshot_->scan().decoders[static_cast<std::size_t>(row)].file);
    case layout_roles::OpenClash:
        return snapshot_->decoderHasOpenClash(row);
    case layout_roles::AnyClash:
        return !snapshot_->clashesOfDecoder(row).empty();
    default:
        break;
    }
    return {};
}

QVariant DecoderTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return QString::fromUtf8(decoder_table::kHeaders[section]);
    if (role == Qt::ToolTipRole)
        return QString::fromUtf8(decoder_table::kHeaderTips[section]);
    return {};
}

Qt::ItemFlags DecoderTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && (index.column() == Name || index.column() == Note) && writer_)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool DecoderTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || !writer_ ||
        (index.column() != Name && index.column() != Note))
        return false;
    const int row = index.row();
    hq::DecoderNote note = noteOf(row);
    // Names and notes are one line each in the tables and on the sheet.
    const std::string text = value.toString().simplified().toStdString();
    std::string& target = index.column() == Name ? note.name : note.note;
    if (target == text)
        return false;
    target = text;
    if (!writer_(snapshot_->scan().decoders[static_cast<std::size_t>(row)].file, note))
        return false;
    written_[row] = note;
    emit dataChanged(this->index(row, Name), this->index(row, Note));
    return true;
}
