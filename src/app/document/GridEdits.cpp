#include "GridEdits.h"

#include "FirmwareDocument.h"
#include "QtText.h"
#include "help/RowValues.h"

namespace {

using State = DocumentState;

// What is typed into one field merges into one step: the address of row r has key r, its function
// 100 + r, the extra value 200.
constexpr int kFunctionEntry = 100;
constexpr int kExtraEntry = 200;

hq::RowSetting& rowOf(State& state, int row) {
    return state.edited.rows.at(static_cast<std::size_t>(row));
}

} // namespace

const hq::RowSetting& GridEdits::row(int row) const {
    return document_.edited().rows.at(static_cast<std::size_t>(row));
}

const hq::RowSetting& GridEdits::fileRow(int row) const {
    return document_.fileSettings().rows.at(static_cast<std::size_t>(row));
}

const hq::FieldValue& GridEdits::extra() const {
    return document_.edited().extra;
}

const hq::FieldValue& GridEdits::fileExtra() const {
    return document_.fileSettings().extra;
}

QString GridEdits::caption(int row) const {
    return qs(document_.firmware().recognition.rowCaption(row));
}

void GridEdits::setAddress(int row, const hq::FieldValue& value) {
    if (row < 0 || row >= hq::kRowCount)
        return;
    document_.edit(
        QObject::tr("Adresse von <%1>").arg(caption(row)),
        [row, value](State& state) { rowOf(state, row).address = value; }, row);
}

void GridEdits::setFunction(int row, const hq::FieldValue& value) {
    if (row < 0 || row >= hq::kRowCount)
        return;
    document_.edit(
        QObject::tr("Funktion von <%1>").arg(caption(row)),
        [row, value](State& state) { rowOf(state, row).function = value; }, kFunctionEntry + row);
}

void GridEdits::toggleRedGreen(int row) {
    if (row < 0 || row >= hq::kRowCount)
        return;
    document_.edit(QObject::tr("R/G von <%1>").arg(caption(row)), [row](State& state) {
        int& flag = rowOf(state, row).redGreen;
        flag = flag == 1 ? 0 : 1;
    });
}

void GridEdits::setExtra(const hq::FieldValue& value) {
    document_.edit(
        QObject::tr("Zusatzwert"), [value](State& state) { state.edited.extra = value; }, kExtraEntry);
}

void GridEdits::setConsecutiveAddresses(const QString& text, const std::vector<int>& rows, int first) {
    document_.edit(text, [rows, first](State& state) {
        int address = first;
        for (int row : rows)
            rowOf(state, row).address = ++address;
    });
}

std::optional<QString> GridEdits::setConsecutiveAddressesFrom(int from) {
    if (!document_.isLoaded())
        return std::nullopt;
    const hq::Recognition& recognition = document_.firmware().recognition;
    std::vector<int> shown;
    for (int r = 1; r < hq::kRowCount; ++r) {
        if (hq::rowShown(recognition, r))
            shown.push_back(r);
    }
    if (shown.empty())
        return std::nullopt;
    if (from <= 0 || !hq::rowShown(recognition, from))
        from = shown.front();
    const QString rowCaption = caption(from);
    const std::optional<int> start = row(from).address.number();
    if (!start || *start < 1 || *start > recognition.maxAddress) {
        return QObject::tr("Die Adresse von <%1> ist keine gültige Adresse (1 bis %2): fortlaufende Adressen "
                           "beginnen bei ihr.")
            .arg(rowCaption)
            .arg(recognition.maxAddress);
    }
    std::vector<int> after;
    for (int r : shown) {
        if (r > from)
            after.push_back(r);
    }
    if (after.empty())
        return std::nullopt;
    const int last = *start + static_cast<int>(after.size());
    if (last > recognition.maxAddress) {
        return QObject::tr("Fortlaufend ab %1 reichten die Adressen bis %2; die höchste Adresse ist %3. "
                           "Nichts wurde geändert.")
            .arg(*start)
            .arg(last)
            .arg(recognition.maxAddress);
    }
    setConsecutiveAddresses(QObject::tr("Adressen ab <%1> fortlaufend").arg(rowCaption), after, *start);
    return std::nullopt;
}

void GridEdits::finishEntry() {
    document_.finishEntry();
}
