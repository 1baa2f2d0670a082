// Clashes between decoders come from the index: entries that share protocol, address space, address
// and colour or function lie next to each other once it is sorted. Clashes within one decoder are
// the address help's own warnings (the same rule the window has always shown), taken over as they
// are; where such rows also share their command with another decoder, the one group names them all.

#include "layout/LayoutAnalysis.h"

#include "help/AccessoryNumbering.h"

#include <algorithm>
#include <limits>
#include <set>
#include <tuple>

namespace hq {

namespace layout_analysis {
namespace {

auto commandOf(const AddressEntry& entry) {
    return std::tuple(entry.protocol, entry.space, entry.address, entry.reaction);
}

// "a.hex Zeile 1 (Weiche 1), b.hex Zeile 2 (Out 2) und c.hex Zeile 1 (Ein)"; beyond `listed`
// parties the rest is counted, so a file copied a hundred times does not give lines of pages.
std::string partiesText(const std::vector<LayoutDecoder>& decoders, const std::vector<ClashParty>& parties,
                        std::size_t listed = std::numeric_limits<std::size_t>::max()) {
    const std::size_t shown = std::min(parties.size(), listed);
    std::string text;
    for (std::size_t i = 0; i < shown; ++i) {
        if (i > 0)
            text += i + 1 == parties.size() ? " und " : ", ";
        const LayoutDecoder& decoder = decoders[static_cast<std::size_t>(parties[i].decoder)];
        text += partyText(decoder, decoder.rows[static_cast<std::size_t>(parties[i].row)]);
    }
    if (shown < parties.size())
        text += " und " + std::to_string(parties.size() - shown) + " weitere";
    return text;
}

// Fills key.rows from the parties, both sorted the same way.
Clash makeClash(const std::vector<LayoutDecoder>& decoders, ClashKind kind, const AddressEntry& command,
                std::vector<ClashParty> parties) {
    auto refOf = [&](const ClashParty& party) {
        const LayoutDecoder& decoder = decoders[static_cast<std::size_t>(party.decoder)];
        return RowRef{decoder.file, decoder.rows[static_cast<std::size_t>(party.row)].row};
    };
    std::sort(parties.begin(), parties.end(),
              [&](const ClashParty& a, const ClashParty& b) { return refOf(a) < refOf(b); });
    Clash clash;
    clash.key = ClashKey{kind, command.protocol, command.space, command.address, command.reaction, {}};
    for (const ClashParty& party : parties)
        clash.key.rows.push_back(refOf(party));
    clash.parties = std::move(parties);
    return clash;
}

// The rows' warnings of one kind, joined.
std::string warningTexts(const LayoutRow& row, HelpWarningKind kind) {
    std::string text;
    for (const HelpWarning& warning : row.warnings) {
        if (warning.kind == kind)
            text += (text.empty() ? "" : " ") + warning.text;
    }
    return text;
}

bool hasWarning(const LayoutRow& row, HelpWarningKind kind) {
    return std::any_of(row.warnings.begin(), row.warnings.end(),
                       [kind](const HelpWarning& warning) { return warning.kind == kind; });
}

} // namespace
} // namespace layout_analysis

std::vector<AddressEntry> addressIndex(const std::vector<LayoutDecoder>& decoders) {
    std::vector<AddressEntry> index;
    for (std::size_t d = 0; d < decoders.size(); ++d) {
        const LayoutDecoder& decoder = decoders[d];
        if (decoder.protocol == Protocol::None || decoder.type == DecoderType::None)
            continue;
        for (std::size_t r = 0; r < decoder.rows.size(); ++r) {
            const LayoutRow& row = decoder.rows[r];
            if (row.address == 0)
                continue;
            index.push_back({decoder.protocol, decoder.space(), row.address, row.reaction,
                             static_cast<int>(d), static_cast<int>(r)});
        }
    }
    auto order = [&](const AddressEntry& entry) {
        const LayoutDecoder& decoder = decoders[static_cast<std::size_t>(entry.decoder)];
        return std::tie(entry.protocol, entry.space, entry.address, entry.reaction, decoder.file,
                        decoder.rows[static_cast<std::size_t>(entry.row)].row);
    };
    std::sort(index.begin(), index.end(),
              [&](const AddressEntry& a, const AddressEntry& b) { return order(a) < order(b); });
    return index;
}

std::vector<Clash> findClashes(const std::vector<LayoutDecoder>& decoders,
                               const std::vector<AddressEntry>& index, const LayoutNotes& notes) {
    using namespace layout_analysis;
    std::vector<Clash> clashes;
    // Commands whose rows span several decoders: their group is one clash, rows of one decoder
    // among them included.
    std::set<std::tuple<Protocol, AddressSpace, int, int>> shared;

    for (std::size_t begin = 0; begin < index.size();) {
        std::size_t end = begin + 1;
        while (end < index.size() && commandOf(index[end]) == commandOf(index[begin]))
            ++end;
        std::set<int> decoderSet;
        for (std::size_t i = begin; i < end; ++i)
            decoderSet.insert(index[i].decoder);
        if (decoderSet.size() > 1) {
            shared.insert(commandOf(index[begin]));
            std::vector<ClashParty> parties;
            for (std::size_t i = begin; i < end; ++i)
                parties.push_back({index[i].decoder, index[i].row});
            clashes.push_back(makeClash(decoders, ClashKind::SameCommand, index[begin], std::move(parties)));
        }
        begin = end;
    }

    // Each entry in index order, so single-decoder clashes and row warnings come out sorted too.
    for (const AddressEntry& entry : index) {
        const LayoutDecoder& decoder = decoders[static_cast<std::size_t>(entry.decoder)];
        const LayoutRow& row = decoder.rows[static_cast<std::size_t>(entry.row)];
        for (const HelpWarning& warning : row.warnings) {
            // The decoder's own duplicate rows, once, from the lowest row of the group.
            if (warning.kind != HelpWarningKind::SameAddress || shared.contains(commandOf(entry)) ||
                (!warning.rows.empty() && warning.rows.front() < row.row))
                continue;
            std::vector<ClashParty> parties{{entry.decoder, entry.row}};
            for (int other : warning.rows) {
                for (std::size_t r = 0; r < decoder.rows.size(); ++r) {
                    if (decoder.rows[r].row == other)
                        parties.push_back({entry.decoder, static_cast<int>(r)});
                }
            }
            clashes.push_back(makeClash(decoders, ClashKind::SameCommand, entry, std::move(parties)));
        }
        if (hasWarning(row, HelpWarningKind::BroadcastAddress))
            clashes.push_back(makeClash(decoders, ClashKind::Broadcast, entry, {{entry.decoder, entry.row}}));
        if (hasWarning(row, HelpWarningKind::OutOfRange))
            clashes.push_back(
                makeClash(decoders, ClashKind::OutOfRange, entry, {{entry.decoder, entry.row}}));
    }

    auto order = [](const Clash& clash) {
        return std::tie(clash.key.protocol, clash.key.space, clash.key.address, clash.key.reaction,
                        clash.key.kind, clash.key.rows);
    };
    std::stable_sort(clashes.begin(), clashes.end(),
                     [&](const Clash& a, const Clash& b) { return order(a) < order(b); });

    for (Clash& clash : clashes) {
        const LayoutDecoder& first = decoders[static_cast<std::size_t>(clash.parties.front().decoder)];
        const LayoutRow& row = first.rows[static_cast<std::size_t>(clash.parties.front().row)];
        switch (clash.key.kind) {
        case ClashKind::SameCommand:
            clash.text = row.headline + ": " + partiesText(decoders, clash.parties);
            break;
        case ClashKind::Broadcast:
            clash.text = row.headline + ": " + partyText(first, row) + " – " +
                         warningTexts(row, HelpWarningKind::BroadcastAddress);
            break;
        case ClashKind::OutOfRange:
            clash.text = row.headline + ": " + partyText(first, row) + " – " +
                         warningTexts(row, HelpWarningKind::OutOfRange);
            break;
        }
        clash.intended = notes.isIntended(clash.key);
    }
    return clashes;
}

std::vector<FreeBlock> freeBlocks(const std::vector<AddressEntry>& index) {
    std::vector<FreeBlock> blocks;
    for (Protocol protocol : {Protocol::MM, Protocol::DCC}) {
        const int highest = highestAddress(protocol, AddressSpace::Accessory);
        std::vector<bool> used(static_cast<std::size_t>(highest) + 1, false);
        for (const AddressEntry& entry : index) {
            if (entry.protocol == protocol && entry.space == AddressSpace::Accessory && entry.address >= 1 &&
                entry.address <= highest)
                used[static_cast<std::size_t>(entry.address)] = true;
        }
        if (protocol == Protocol::DCC) {
            for (int address = kDccFirstBroadcastAddress; address <= highest; ++address)
                used[static_cast<std::size_t>(address)] = true;
        }
        for (int size : kFreeBlockSizes) {
            FreeBlock block{protocol, size, 0};
            int run = 0;
            for (int address = 1; address <= highest; ++address) {
                run = used[static_cast<std::size_t>(address)] ? 0 : run + 1;
                if (run == size) {
                    block.first = address - size + 1;
                    break;
                }
            }
            blocks.push_back(block);
        }
    }
    return blocks;
}

std::vector<std::size_t> clashesOf(const LayoutScan& scan, int decoder, int row) {
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < scan.clashes.size(); ++i) {
        for (const ClashParty& party : scan.clashes[i].parties) {
            if (party.decoder == decoder && party.row == row) {
                found.push_back(i);
                break;
            }
        }
    }
    return found;
}

std::string clashTextFor(const LayoutScan& scan, const Clash& clash, int decoder, int row) {
    std::string text;
    switch (clash.key.kind) {
    case ClashKind::SameCommand: {
        std::vector<ClashParty> others;
        for (const ClashParty& party : clash.parties) {
            if (party.decoder != decoder || party.row != row)
                others.push_back(party);
        }
        text = "mit " + layout_analysis::partiesText(scan.decoders, others, kListedParties);
        break;
    }
    case ClashKind::Broadcast:
        text = "Rundruf-Adresse (Dekoder " + std::to_string(kDccBroadcastDecoder) + ")";
        break;
    case ClashKind::OutOfRange:
        text = "außerhalb des gültigen Bereichs";
        break;
    }
    return clash.intended ? text + " (gewollt)" : text;
}

LayoutScan analyseLayout(std::vector<LayoutDecoder> decoders, std::vector<LayoutProblem> problems,
                         const LayoutNotes& notes) {
    std::sort(decoders.begin(), decoders.end(),
              [](const LayoutDecoder& a, const LayoutDecoder& b) { return a.file < b.file; });
    std::sort(problems.begin(), problems.end(),
              [](const LayoutProblem& a, const LayoutProblem& b) { return a.file < b.file; });
    for (LayoutDecoder& decoder : decoders) {
        if (auto found = notes.decoders.find(decoder.file); found != notes.decoders.end()) {
            decoder.name = found->second.name;
            decoder.note = found->second.note;
        }
    }
    LayoutScan scan;
    scan.decoders = std::move(decoders);
    scan.problems = std::move(problems);
    scan.addresses = addressIndex(scan.decoders);
    scan.clashes = findClashes(scan.decoders, scan.addresses, notes);
    scan.freeBlocks = freeBlocks(scan.addresses);
    return scan;
}

} // namespace hq
