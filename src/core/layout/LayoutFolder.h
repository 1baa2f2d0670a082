#pragma once
// Reading a layout folder: which files are its decoders, and the scan that reads them all. The
// scan reports its progress and can be stopped, so a window can run it off its interface thread
// with a progress bar; a file that cannot be read, is no firmware or is refused is listed with the
// reason and never stops the scan.

#include "Result.h"
#include "layout/Layout.h"

#include <filesystem>
#include <functional>
#include <stop_token>
#include <string>
#include <vector>

namespace hq {

// Sub-folders are scanned this many levels deep; a deeper folder that holds HEX files is listed as
// passed over.
inline constexpr int kLayoutFolderDepth = 3;

struct LayoutFiles {
    std::vector<std::string> files;      // relative names, '/' between folders, sorted
    std::vector<LayoutProblem> problems; // folders that cannot be read, or lie too deep and hold HEX files
};

// The decoder files of `folder`: regular files or links to them whose name ends in ".hex" (any
// case), in the folder and its sub-folders up to `depth` levels. Names starting with "." (version
// control, temporary files) are passed over, links to folders are not followed. Refused when
// `folder` is missing (NotFound) or is no folder or cannot be read (Unreadable).
Result<LayoutFiles> listLayoutFiles(const std::filesystem::path& folder, int depth = kLayoutFolderDepth);

struct ScanOptions {
    // Called before the first file and after each file with the files done and their total, on the
    // thread that scans (a window passes it on to its interface thread).
    std::function<void(int done, int total)> progress;
    // When stop is requested the scan ends after the file it is reading; the result is marked
    // cancelled.
    std::stop_token stop;
    int depth = kLayoutFolderDepth;
};

// Lists, reads and analyses the layout in `folder` with the user's `notes`. Refused only as
// listLayoutFiles is; every file's own trouble becomes a problem of the result.
Result<LayoutScan> scanLayout(const std::filesystem::path& folder, const LayoutNotes& notes,
                              const ScanOptions& options = {});

// One file of a layout read into a decoder, or the reason it is passed over.
Result<LayoutDecoder> readLayoutDecoder(const std::filesystem::path& folder, const std::string& file);

} // namespace hq
