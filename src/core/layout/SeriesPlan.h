#pragma once
// Decoders made in series: from one template, N files with consecutive address blocks. The plan is
// worked out completely first — file names, every copy's addresses and text, and every reason to
// refuse — so a window can show it as a preview and nothing is written unless all of it may be.
// Copy k (from 0) gets every used address of the template moved by first - lowest + k × stride.

#include "Result.h"
#include "image/Firmware.h"
#include "layout/Layout.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace hq {

inline constexpr int kMaxSeriesCount = 999;

struct SeriesRequest {
    std::string name;          // the files are NAME-01.hex, NAME-02.hex, …
    int count = 0;             // 1..kMaxSeriesCount
    std::optional<int> first;  // the lowest address of the first copy; without it the template's
    std::optional<int> stride; // from copy to copy; without it the span of the template's addresses
    bool force = false;        // replace files of those names
    // The permission bits new files get: the template's.
    std::optional<std::filesystem::perms> permissions;
};

struct SeriesRow {
    int row = 0;
    std::string caption;
    int from = 0; // the template's address
    int to = 0;   // the copy's
    int reaction = 0;
};

struct SeriesCopy {
    std::string file;            // "NAME-01.hex", in the layout folder
    std::vector<SeriesRow> rows; // the template's used rows with the copy's addresses
    std::string text;            // the new file; empty when the copy is refused
    bool replaces = false;       // a file of that name is there and will be replaced (force)

    std::vector<int> addresses() const;
};

struct SeriesPlan {
    std::filesystem::path folder; // the layout the series is written into
    Protocol protocol = Protocol::None;
    AddressSpace space = AddressSpace::Accessory;
    int first = 0;  // the lowest address of the first copy
    int stride = 0; // from copy to copy
    int span = 0;   // of the template's addresses
    bool force = false;
    std::vector<SeriesCopy> copies;
    // Why the series is refused (addresses out of range, files that exist, clashes with the layout,
    // each a German line); empty when it may be written.
    std::vector<std::string> refusals;
    // What could not be checked: files of the layout the scan passed over.
    std::vector<std::string> notes;
    std::optional<std::filesystem::perms> permissions; // for new files

    bool ok() const { return refusals.empty(); }
};

// Works out the series of `request` from `firmware` into `folder`, whose files `layout` holds and
// whose anlage.json says `notes`. Refused with a German message when the template cannot be
// counted on (not recognised, no protocol, no used address) or the request is malformed (count,
// first address, stride or name out of bounds); every other reason is listed in the plan's
// refusals. The clashes checked are those of the layout as it would be after writing, marked
// intended ones aside: a copy against the layout, against another copy and within itself.
Result<SeriesPlan> planSeries(const Firmware& firmware, const SeriesRequest& request,
                              const std::filesystem::path& folder, const LayoutScan& layout,
                              const LayoutNotes& notes);

// Writes a plan that has no refusals, each file the way every file is written (beside the target
// and renamed into place, locked while it is written, a link stays a link, a new file gets the
// template's permission bits). The folder is made when missing. A file that appeared since the
// plan without `force` refuses the whole series before anything is written. When a write fails,
// the files this call made are removed again and the message says so. Returns the files written.
Result<std::vector<std::string>> writeSeries(const SeriesPlan& plan);

} // namespace hq
