// The lookups are built by walking every clash's parties once.

#include "layout/LayoutSnapshot.h"

#include "QtText.h"
#include "layout/LayoutAnalysis.h"

#include <algorithm>

namespace layout_snapshot {
namespace {

const std::vector<std::size_t> kNone;

} // namespace
} // namespace layout_snapshot

LayoutSnapshot::LayoutSnapshot(hq::LayoutScan scan) : scan_(std::move(scan)) {
    decoderClashes_.resize(scan_.decoders.size());
    for (std::size_t i = 0; i < scan_.clashes.size(); ++i) {
        for (const hq::ClashParty& party : scan_.clashes[i].parties) {
            std::vector<std::size_t>& ofRow = rowClashes_[{party.decoder, party.row}];
            if (ofRow.empty() || ofRow.back() != i)
                ofRow.push_back(i);
            std::vector<std::size_t>& ofDecoder = decoderClashes_[static_cast<std::size_t>(party.decoder)];
            if (ofDecoder.empty() || ofDecoder.back() != i)
                ofDecoder.push_back(i);
        }
    }
}

const std::vector<std::size_t>& LayoutSnapshot::clashesOfRow(int decoder, int row) const {
    auto found = rowClashes_.find({decoder, row});
    return found == rowClashes_.end() ? layout_snapshot::kNone : found->second;
}

const std::vector<std::size_t>& LayoutSnapshot::clashesOfDecoder(int decoder) const {
    if (decoder < 0 || static_cast<std::size_t>(decoder) >= decoderClashes_.size())
        return layout_snapshot::kNone;
    return decoderClashes_[static_cast<std::size_t>(decoder)];
}

bool LayoutSnapshot::rowHasOpenClash(int decoder, int row) const {
    const auto& clashes = clashesOfRow(decoder, row);
    return std::any_of(clashes.begin(), clashes.end(),
                       [this](std::size_t i) { return !scan_.clashes[i].intended; });
}

bool LayoutSnapshot::decoderHasOpenClash(int decoder) const {
    const auto& clashes = clashesOfDecoder(decoder);
    return std::any_of(clashes.begin(), clashes.end(),
                       [this](std::size_t i) { return !scan_.clashes[i].intended; });
}

QStringList LayoutSnapshot::clashTextsOfRow(int decoder, int row) const {
    QStringList texts;
    for (std::size_t i : clashesOfRow(decoder, row))
        texts.append(qs(hq::clashTextFor(scan_, scan_.clashes[i], decoder, row)));
    return texts;
}

QStringList LayoutSnapshot::clashTextsOfDecoder(int decoder) const {
    QStringList texts;
    const hq::LayoutDecoder& shown = scan_.decoders[static_cast<std::size_t>(decoder)];
    for (std::size_t r = 0; r < shown.rows.size(); ++r) {
        const int row = static_cast<int>(r);
        const hq::LayoutRow& layoutRow = shown.rows[r];
        for (const QString& text : clashTextsOfRow(decoder, row))
            texts.append(
                QStringLiteral("Zeile %1 (%2): %3").arg(layoutRow.row).arg(qs(layoutRow.caption), text));
    }
    return texts;
}

QString LayoutSnapshot::clashMarksOfRow(int decoder, int row) const {
    QStringList marks;
    for (std::size_t i : clashesOfRow(decoder, row)) {
        const hq::Clash& clash = scan_.clashes[i];
        marks.append(clash.intended ? clashKindText(clash) + QStringLiteral(" (gewollt)")
                                    : clashKindText(clash));
    }
    return marks.join(QStringLiteral(", "));
}

QString LayoutSnapshot::addressesOf(int decoder) const {
    std::vector<int> used;
    for (const hq::LayoutRow& row : scan_.decoders[static_cast<std::size_t>(decoder)].rows) {
        if (row.address != 0)
            used.push_back(row.address);
    }
    return qs(hq::runsText(std::move(used)));
}

int LayoutSnapshot::lowestAddressOf(int decoder) const {
    int lowest = 0;
    for (const hq::LayoutRow& row : scan_.decoders[static_cast<std::size_t>(decoder)].rows) {
        if (row.address != 0 && (lowest == 0 || row.address < lowest))
            lowest = row.address;
    }
    return lowest;
}

SnapshotPtr emptySnapshot() {
    static const SnapshotPtr empty = std::make_shared<const LayoutSnapshot>(hq::LayoutScan{});
    return empty;
}

QString clashKindText(const hq::Clash& clash) {
    switch (clash.key.kind) {
    case hq::ClashKind::Broadcast:
        return QStringLiteral("Dekoder 511");
    case hq::ClashKind::OutOfRange:
        return QStringLiteral("außerhalb");
    case hq::ClashKind::SameCommand:
        break;
    }
    return QStringLiteral("Doppelbelegung");
}

QString protocolSpaceText(hq::Protocol protocol, hq::AddressSpace space) {
    return qs(hq::protocolName(protocol)) + QLatin1Char(' ') + qs(hq::spaceText(space));
}

QString decoderProtocolText(const hq::LayoutDecoder& decoder) {
    if (decoder.protocol == hq::Protocol::None)
        return QStringLiteral("ohne");
    return qs(hq::protocolName(decoder.protocol)) + QLatin1Char(' ') + qs(hq::typeName(decoder.type));
}

QStringList freeBlockLines(const hq::LayoutScan& scan) {
    QStringList lines;
    for (hq::Protocol protocol : {hq::Protocol::MM, hq::Protocol::DCC}) {
        QStringList parts;
        for (const hq::FreeBlock& block : scan.freeBlocks) {
            if (block.protocol != protocol)
                continue;
            const QString size =
                block.size == 1 ? QStringLiteral("einzeln") : QStringLiteral("%1 am Stück").arg(block.size);
            parts.append(size + QStringLiteral(": ") +
                         (block.first == 0 ? QStringLiteral("keine")
                                           : qs(hq::addressRunText(block.first, block.size))));
        }
        lines.append(qs(hq::protocolName(protocol)) + QStringLiteral(": ") +
                     parts.join(QStringLiteral("; ")));
    }
    return lines;
}
