#pragma once
// From the decoders of a layout to what the layout shows about them: the address index, the
// clashes and the free accessory addresses. Pure functions of the decoders and the user's notes,
// so the series can run them over a layout that does not exist yet.

#include "layout/Layout.h"

#include <string>
#include <vector>

namespace hq {

// Every used address (not 0) of every shown row of every decoder with a protocol, sorted by
// protocol, address space, address, colour or function, file and row.
std::vector<AddressEntry> addressIndex(const std::vector<LayoutDecoder>& decoders);

// Rows of different decoders that react to the same protocol, address space, address and colour
// or function (one clash per such group, with every party); rows of one decoder that do so (the
// address help's duplicate warning); DCC accessory rows in decoder 511; addresses and functions
// beyond the protocol's range. Each is marked intended when `notes` says so. `index` is
// addressIndex(decoders).
std::vector<Clash> findClashes(const std::vector<LayoutDecoder>& decoders,
                               const std::vector<AddressEntry>& index, const LayoutNotes& notes);

// The block sizes the free addresses are given for.
inline constexpr int kFreeBlockSizes[] = {1, 4, 8};

// For MM and DCC, the first run of 1, 4 and 8 consecutive accessory addresses that no row of any
// decoder uses, in either colour. DCC's decoder 511 (2041..2044) is never free.
std::vector<FreeBlock> freeBlocks(const std::vector<AddressEntry>& index);

// The clashes (indexes into scan.clashes) that row `row` of decoder `decoder` (indexes into
// scan.decoders and its rows) is a party of, in the order of scan.clashes.
std::vector<std::size_t> clashesOf(const LayoutScan& scan, int decoder, int row);

// What one party of a clash is told about it: "mit b.hex Zeile 3 (Weiche 3)", "Rundruf-Adresse
// (Dekoder 511)", "außerhalb des gültigen Bereichs", with " (gewollt)" for an intended clash. Up
// to kListedParties other parties are named, the rest counted ("… und 12 weitere"); the clash's
// own text names them all.
inline constexpr std::size_t kListedParties = 5;
std::string clashTextFor(const LayoutScan& scan, const Clash& clash, int decoder, int row);

// The whole analysis; names and notes are taken from `notes` into the decoders. Decoders are
// sorted by file, problems too.
LayoutScan analyseLayout(std::vector<LayoutDecoder> decoders, std::vector<LayoutProblem> problems,
                         const LayoutNotes& notes);

} // namespace hq
