#pragma once
// The layout and its JSON: anlage.json, the file beside the decoders that keeps what only the user
// knows (a name and a note per decoder file, the clashes marked as intended), and the layout as
// `hexquendra-cli layout --json` prints it.
//
// anlage.json:
//   { "decoders": { "bahnhof/weichen-01.hex": {"name": "Bahnhof Nord", "note": "Weichen 1–4"} },
//     "intended": [ {"kind": "same", "protocol": "DCC", "space": "accessory", "address": 17,
//                    "color": "green", "rows": [{"file": "signal.hex", "row": 1},
//                                               {"file": "weiche.hex", "row": 3}]} ] }
// An intended clash is written exactly as `layout --json` gives its "key": "kind" is "same",
// "broadcast" or "range", vehicle rows have "function" instead of "color". Keys the program does
// not know are kept when it writes the file.

#include "Result.h"
#include "layout/Layout.h"
#include "layout/LayoutFolder.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace hq {

inline constexpr std::uintmax_t kMaxLayoutNotesSize = 4 * 1024 * 1024;

// The notes in the text of anlage.json; refused with a German "anlage.json: …" message.
Result<LayoutNotes> layoutNotesFromJsonText(std::string_view text);

// The text of anlage.json holding `notes`, with the keys of `previous` (the file's text so far, or
// empty) that the program does not know kept. Decoders without name and note are left out.
std::string layoutNotesJsonText(const LayoutNotes& notes, std::string_view previous = {});

// The notes of the layout in `folder`: empty when it has no anlage.json, refused when the file
// cannot be read or is no valid notes file.
Result<LayoutNotes> readLayoutNotes(const std::filesystem::path& folder);

// Reads anlage.json under its lock, lets `change` change the notes and writes them back beside
// and renamed into place, so two changes one after the other both stay and a failed write leaves
// the old file. A file that cannot be read or is not valid is never overwritten.
Status updateLayoutNotes(const std::filesystem::path& folder,
                         const std::function<void(LayoutNotes&)>& change);

// The scan of a layout with its anlage.json. A broken anlage.json does not stop the scan: it is
// listed among the problems, and the scan runs without names, notes and intended clashes.
Result<LayoutScan> scanLayoutFolder(const std::filesystem::path& folder, const ScanOptions& options = {});

// The key of a clash as anlage.json keeps it.
nlohmann::json clashKeyJson(const ClashKey& key);

// `layout --json`: folder, decoders (with their rows), addresses, clashes (with "key"), free
// blocks, problems and a summary. Four-space indentation, keys in alphabetical order.
std::string layoutJsonText(const LayoutScan& scan, const std::filesystem::path& folder);

} // namespace hq
