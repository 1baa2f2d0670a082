// Files are read through the core's io layer, so a pipe or a device named like a HEX file is refused
// at once instead of blocking the scan, and the size limit of a firmware file holds.

#include "layout/LayoutFolder.h"

#include "image/Firmware.h"
#include "image/RecognitionFailure.h"
#include "image/TextFile.h"
#include "io/ErrorText.h"
#include "io/ReadFile.h"
#include "layout/LayoutAnalysis.h"
#include "layout/LayoutDecoder.h"

#include <algorithm>
#include <cctype>

namespace hq {

namespace layout_folder {
namespace {

namespace fs = std::filesystem;

// Entries looked at below a folder too deep to be scanned.
constexpr int kDeepFolderLook = 1000;

bool isHexName(const std::string& name) {
    if (name.size() < 4)
        return false;
    std::string suffix = name.substr(name.size() - 4);
    std::transform(suffix.begin(), suffix.end(), suffix.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return suffix == ".hex";
}

std::string joined(const std::string& parent, const std::string& name) {
    return parent.empty() ? name : parent + "/" + name;
}

// Whether a HEX file lies somewhere below `folder`, looking at no more than `budget` entries: a
// folder too deep to be scanned is named only where decoders would be missed, not for every
// folder of pictures or documents kept beside the layout.
bool holdsHexFile(const fs::path& folder, int& budget) {
    std::error_code error;
    for (fs::directory_iterator it(folder, error); !error && it != fs::directory_iterator();
         it.increment(error)) {
        if (--budget < 0)
            return false;
        const std::string name = it->path().filename().native();
        if (name.empty() || name.front() == '.')
            continue;
        std::error_code statusError;
        if (it->is_directory(statusError)) {
            if (!it->is_symlink(statusError) && holdsHexFile(it->path(), budget))
                return true;
        } else if (isHexName(name)) {
            return true;
        }
    }
    return false;
}

void listFolder(const fs::path& folder, const std::string& relative, int depth, int levelsLeft,
                LayoutFiles& found) {
    std::error_code error;
    fs::directory_iterator it(folder / relative, error);
    if (error) {
        found.problems.push_back(
            {relative, "Der Ordner kann nicht gelesen werden; seine Dateien fehlen in der Anlage."});
        return;
    }
    for (; it != fs::directory_iterator(); it.increment(error)) {
        const std::string name = it->path().filename().native();
        if (name.empty() || name.front() == '.')
            continue;
        const std::string child = joined(relative, name);
        std::error_code statusError;
        const bool link = it->is_symlink(statusError);
        const bool directory = it->is_directory(statusError); // follows a link
        if (directory) {
            if (link)
                continue;
            int budget = kDeepFolderLook;
            if (levelsLeft > 0) {
                listFolder(folder, child, depth, levelsLeft - 1, found);
            } else if (holdsHexFile(folder / child, budget)) {
                found.problems.push_back({child, "Der Ordner liegt tiefer als " + std::to_string(depth) +
                                                     " Ebenen; seine HEX-Dateien werden nicht gelesen."});
            }
        } else if (isHexName(name)) {
            found.files.push_back(child);
        }
    }
    if (error)
        found.problems.push_back({relative, "Der Ordner konnte nicht vollständig gelesen werden."});
}

// Loads into `work`, which the scan keeps from file to file: its line table keeps the memory of
// the lines, so a layout of hundreds of files does not ask for it anew for every line.
Result<LayoutDecoder> readDecoder(const fs::path& folder, const std::string& file, Firmware& work) {
    auto text = io::readRegularFile(folder / file, kMaxFirmwareFileSize);
    if (!text)
        return text.error();
    if (Status loaded = loadFirmwareInto(*text, work); !loaded)
        return loaded.error();
    if (work.recognition.kind == 0) {
        return Error{std::string{kUnrecognisedHeading} + ": " +
                         std::string{recognitionFailureReason(work.image)},
                     ErrorKind::Refused};
    }
    return layoutDecoder(work, file);
}

} // namespace
} // namespace layout_folder

Result<LayoutFiles> listLayoutFiles(const std::filesystem::path& folder, int depth) {
    namespace fs = std::filesystem;
    const std::string name = io::detail::shownName(folder);
    std::error_code error;
    const fs::file_status status = fs::status(folder, error);
    if (status.type() == fs::file_type::not_found)
        return Error{"Der Ordner \"" + name + "\" wurde nicht gefunden.", ErrorKind::NotFound};
    if (error)
        return Error{"Der Ordner \"" + name + "\" kann nicht gelesen werden.", ErrorKind::Unreadable};
    if (status.type() != fs::file_type::directory)
        return Error{"\"" + name + "\" ist kein Ordner.", ErrorKind::Unreadable};
    fs::directory_iterator probe(folder, error);
    if (error)
        return Error{"Der Ordner \"" + name + "\" kann nicht gelesen werden.", ErrorKind::Unreadable};

    LayoutFiles found;
    layout_folder::listFolder(folder, {}, depth, depth, found);
    std::sort(found.files.begin(), found.files.end());
    return found;
}

Result<LayoutDecoder> readLayoutDecoder(const std::filesystem::path& folder, const std::string& file) {
    Firmware work;
    return layout_folder::readDecoder(folder, file, work);
}

Result<LayoutScan> scanLayout(const std::filesystem::path& folder, const LayoutNotes& notes,
                              const ScanOptions& options) {
    auto listed = listLayoutFiles(folder, options.depth);
    if (!listed)
        return listed.error();
    const int total = static_cast<int>(listed->files.size());
    std::vector<LayoutDecoder> decoders;
    std::vector<LayoutProblem> problems = std::move(listed->problems);
    decoders.reserve(listed->files.size());
    if (options.progress)
        options.progress(0, total);
    bool cancelled = false;
    int done = 0;
    Firmware work;
    for (const std::string& file : listed->files) {
        if (options.stop.stop_requested()) {
            cancelled = true;
            break;
        }
        auto decoder = layout_folder::readDecoder(folder, file, work);
        if (decoder)
            decoders.push_back(std::move(*decoder));
        else
            problems.push_back({file, decoder.message()});
        if (options.progress)
            options.progress(++done, total);
    }
    LayoutScan scan = analyseLayout(std::move(decoders), std::move(problems), notes);
    scan.cancelled = cancelled;
    return scan;
}

} // namespace hq
