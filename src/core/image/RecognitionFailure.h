#pragma once
// Why a text was not recognised as a firmware, in German for the message that refuses it: a text
// without a single Intel HEX record is no HEX file at all (a text file picked by mistake), while a
// HEX file whose lines match no known firmware is most likely a firmware this program does not know.

#include "image/HexImage.h"

#include <string>
#include <string_view>

namespace hq {

inline constexpr std::string_view kUnrecognisedHeading = "Das HEX-File konnte leider nicht erkannt werden";
inline constexpr std::string_view kNoRecordsReason = "Die Datei enthält keine Intel-HEX-Datensätze.";
inline constexpr std::string_view kNoKnownLineReason = "Keine Zeile passt zu einer bekannten Firmware.";

// True when `line` has the shape of an Intel HEX record: a colon followed by hex digits only, at
// least the ten of count, address, type and checksum. A wrong checksum or length still counts.
bool looksLikeRecord(std::string_view line);

// kNoRecordsReason when no line of the image looks like a record, else kNoKnownLineReason.
std::string_view recognitionFailureReason(const HexImage& image);

// The heading with the reason on a second line.
std::string unrecognisedFileMessage(const HexImage& image);

} // namespace hq
