#pragma once
// Rows a save writes back exactly as read while their values stay those read: their code bytes stand
// for nothing the row could be given (the encoder would write other bytes for the values shown), or
// they come from a record whose checksum or layout is wrong. Such a row shows a value (often 0) that
// is not what its bytes hold, so the window and `show` mark it with its bytes and lines; a save keeps
// the bytes until the user gives the row a new value.

#include "image/Firmware.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace hq {

struct RowAsRead {
    int row = 0;
    std::string bytes;        // the three code bytes as read, "FF FF 3F"
    std::vector<int> lines;   // the 1-based HEX lines holding them, ascending, without repeats
    bool undecodable = false; // the bytes stand for no value the row can be given
    bool brokenLine = false;  // a line holding them has a wrong checksum or layout

    // German, for the row's mark and for `show`: what the bytes are, where they stand, and that a
    // save keeps them until the row gets a new value.
    std::string text() const;
};

using RowsAsRead = std::array<std::optional<RowAsRead>, kRowCount>;

// The shown rows (1..31) of `firmware` that are kept as read.
RowsAsRead rowsAsRead(const Firmware& firmware);

// The 1-based lines of `before` whose wrong checksum a save that turned it into `after` recomputed:
// lines with a wrong checksum or layout that no longer stand in the file. Empty lines are passed over.
std::vector<int> recomputedChecksumLines(const HexImage& before, const HexImage& after);

// "7, 8 und 12".
std::string lineListText(const std::vector<int>& lines);

// The question (window) or note (command line) before writing a file in which checksums that were
// wrong in the input are recomputed; empty when there are none.
std::string recomputedChecksumText(const std::vector<int>& lines);

} // namespace hq
