#pragma once
// One scan of a layout as the window shows it: the scan itself, never changed once made, and what
// the tables look up in it for every cell (which clashes a row or a decoder takes part in, the
// tooltip texts). Worked out once per scan on the scanning thread, so sorting and painting
// thousands of rows never walk the clash list again. The models share it as a value.

#include "layout/Layout.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <map>
#include <memory>
#include <utility>
#include <vector>

class LayoutSnapshot {
public:
    explicit LayoutSnapshot(hq::LayoutScan scan);

    const hq::LayoutScan& scan() const { return scan_; }

    // Indexes into scan().clashes, in their order.
    const std::vector<std::size_t>& clashesOfRow(int decoder, int row) const;
    const std::vector<std::size_t>& clashesOfDecoder(int decoder) const;
    bool rowHasOpenClash(int decoder, int row) const;
    bool decoderHasOpenClash(int decoder) const;

    // "mit weiche-01.hex Zeile 2 (Weiche 2)" for each clash of the row, as the command line says it.
    QStringList clashTextsOfRow(int decoder, int row) const;
    // "Zeile 2 (Weiche 2): mit signal.hex Zeile 1 (Weiche)" for each clash of each row.
    QStringList clashTextsOfDecoder(int decoder) const;
    // "Doppelbelegung", "Dekoder 511", "außerhalb", each with " (gewollt)" when marked so.
    QString clashMarksOfRow(int decoder, int row) const;

    // The used addresses of a decoder, sorted ("1–4, 9").
    QString addressesOf(int decoder) const;
    int lowestAddressOf(int decoder) const; // 0 without a used address

private:
    hq::LayoutScan scan_;
    std::map<std::pair<int, int>, std::vector<std::size_t>> rowClashes_;
    std::vector<std::vector<std::size_t>> decoderClashes_;
};

using SnapshotPtr = std::shared_ptr<const LayoutSnapshot>;

// A snapshot of nothing: before the first scan, or when the folder is gone.
SnapshotPtr emptySnapshot();

// "grün", "rot", "Funktion 3"; for the clash kinds "Doppelbelegung", "Dekoder 511", "außerhalb".
QString clashKindText(const hq::Clash& clash);
// "DCC Zubehör", "MM Fahrzeug".
QString protocolSpaceText(hq::Protocol protocol, hq::AddressSpace space);
// "DCC Schalt", "MM Fahrzeug", "ohne".
QString decoderProtocolText(const hq::LayoutDecoder& decoder);
// One line per protocol: "DCC: einzeln: 13; 4 am Stück: 13–16; 8 am Stück: 24–31".
QStringList freeBlockLines(const hq::LayoutScan& scan);
