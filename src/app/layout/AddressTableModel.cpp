// The protocol column sorts in the order of the index, so sorting by it gives the command line's
// order back; the address column sorts by number, ties keeping that order.

#include "layout/AddressTableModel.h"

#include "QtText.h"
#include "layout/LayoutRoles.h"

namespace address_table {
namespace {

const char* const kHeaders[] = {"Protokoll", "Adresse",     "Reagiert auf",   "Datei",
                                "Zeile",     "Bezeichnung", "Doppelbelegung", "Verwendung"};

const char* const kHeaderTips[] = {
    "Protokoll und Adressart (Zubehör oder Fahrzeug)",
    "Die Adresse, wie die Firmware sie speichert",
    "Rot oder grün bei Zubehöradressen, die Funktion bei Fahrzeugadressen",
    "Die HEX-Datei; Doppelklick öffnet sie in einem eigenen Fenster",
    "Die Zeile des Dekoders",
    "Die Bezeichnung der Zeile",
    "Doppelbelegungen dieser Zeile; gewollte sind markiert",
    "Was Servo-, Blink- und LED-Firmwares auf dieser Adresse tun",
};

} // namespace
} // namespace address_table

AddressTableModel::AddressTableModel(QObject* parent)
    : QAbstractTableModel(parent), snapshot_(emptySnapshot()) {}

void AddressTableModel::setSnapshot(SnapshotPtr snapshot) {
    beginResetModel();
    snapshot_ = snapshot ? std::move(snapshot) : emptySnapshot();
    endResetModel();
}

const hq::AddressEntry& AddressTableModel::entry(int row) const {
    return snapshot_->scan().addresses[static_cast<std::size_t>(row)];
}

int AddressTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(snapshot_->scan().addresses.size());
}

int AddressTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant AddressTableModel::display(int row, int column) const {
    const hq::LayoutScan& scan = snapshot_->scan();
    const hq::AddressEntry& shown = entry(row);
    switch (column) {
    case Protocol:
        return protocolSpaceText(shown.protocol, shown.space);
    case Address:
        return shown.address;
    case Reaction:
        return qs(hq::reactionText(shown.space, shown.reaction));
    case Use:
        return qs(scan.rowOf(shown).use);
    case File:
        return qs(scan.decoderOf(shown).file);
    case Row:
        return scan.rowOf(shown).row;
    case Caption:
        return qs(scan.rowOf(shown).caption);
    case Clash:
        return snapshot_->clashMarksOfRow(shown.decoder, shown.row);
    default:
        break;
    }
    return {};
}

QString AddressTableModel::toolTip(int row) const {
    const hq::LayoutScan& scan = snapshot_->scan();
    const hq::AddressEntry& shown = entry(row);
    const hq::LayoutRow& layoutRow = scan.rowOf(shown);
    QStringList lines;
    const QStringList clashes = snapshot_->clashTextsOfRow(shown.decoder, shown.row);
    for (const QString& clash : clashes)
        lines.append(QStringLiteral("Doppelbelegung ") + clash);
    if (!layoutRow.headline.empty())
        lines.append(qs(layoutRow.headline));
    for (const std::string& numbering : layoutRow.numbering)
        lines.append(qs(numbering));
    for (const hq::HelpWarning& warning : layoutRow.warnings)
        lines.append(QStringLiteral("Warnung: ") + qs(warning.text));
    lines.append(QStringLiteral("Doppelklick öffnet %1 in einem eigenen Fenster.")
                     .arg(qs(scan.decoderOf(shown).file)));
    return lines.join(QLatin1Char('\n'));
}

QVariant AddressTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const int row = index.row();
    const int column = index.column();
    const hq::AddressEntry& shown = entry(row);
    switch (role) {
    case Qt::DisplayRole:
        return display(row, column);
    case Qt::ToolTipRole:
        return toolTip(row);
    case Qt::BackgroundRole:
        if (snapshot_->rowHasOpenClash(shown.decoder, shown.row))
            return kClashAmber;
        return {};
    case Qt::ForegroundRole:
        if (column == Clash && !snapshot_->rowHasOpenClash(shown.decoder, shown.row))
            return kIntendedText;
        return {};
    case Qt::TextAlignmentRole:
        if (column == Address || column == Row)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    case layout_roles::Sort:
        if (column == Protocol)
            return row;
        return display(row, column);
    case layout_roles::File:
        return qs(snapshot_->scan().decoderOf(shown).file);
    case layout_roles::Key:
        return addressKey(snapshot_->scan(), shown);
    case layout_roles::OpenClash:
        return snapshot_->rowHasOpenClash(shown.decoder, shown.row);
    case layout_roles::AnyClash:
        return !snapshot_->clashesOfRow(shown.decoder, shown.row).empty();
    default:
        break;
    }
    return {};
}

QVariant AddressTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return QString::fromUtf8(address_table::kHeaders[section]);
    if (role == Qt::ToolTipRole)
        return QString::fromUtf8(address_table::kHeaderTips[section]);
    return {};
}

QString addressKey(const hq::LayoutScan& scan, const hq::AddressEntry& entry) {
    return qs(scan.decoderOf(entry).file) + QLatin1Char('|') + QString::number(scan.rowOf(entry).row);
}
