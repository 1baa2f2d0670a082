// Every copy is built and loaded back before the plan is done: the clash check then runs over what
// the new files will really hold, and an address the firmware cannot store shows as a refusal
// instead of as a file that reads back differently.

#include "layout/SeriesPlan.h"

#include "help/RowValues.h"
#include "image/TextFile.h"
#include "io/ErrorText.h"
#include "io/FileLock.h"
#include "io/WriteFile.h"
#include "layout/LayoutAnalysis.h"
#include "layout/LayoutDecoder.h"
#include "layout/SeriesCopy.h"

#include <algorithm>
#include <set>

namespace hq {

namespace series_plan {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kLongestName = 255;

Error refused(std::string message) {
    return Error{std::move(message), ErrorKind::Refused};
}

std::string numbered(const std::string& name, int number, int width) {
    std::string digits = std::to_string(number);
    if (static_cast<int>(digits.size()) < width)
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    return name + "-" + digits + ".hex";
}

std::optional<std::string> nameProblem(const std::string& name, int width) {
    if (name.empty())
        return "Der Name der Serie fehlt.";
    if (name.find('/') != std::string::npos)
        return "Der Name der Serie darf keinen \"/\" enthalten.";
    if (name.front() == '.')
        return "Der Name der Serie darf nicht mit einem Punkt beginnen (solche Dateien übergeht die Anlage).";
    if (numbered(name, 1, width).size() > kLongestName)
        return "Der Name der Serie ist zu lang.";
    return std::nullopt;
}

// What stands at `path` when it is not a file that may be replaced; nothing for a regular file, a
// link to one or a dangling link.
std::optional<std::string> notReplaceable(const fs::path& path) {
    std::error_code error;
    const fs::file_status target = fs::status(path, error);
    if (target.type() == fs::file_type::not_found || target.type() == fs::file_type::regular)
        return std::nullopt;
    if (target.type() == fs::file_type::directory)
        return "ein Ordner";
    return "keine gewöhnliche Datei";
}

bool somethingAt(const fs::path& path) {
    std::error_code error;
    return fs::symlink_status(path, error).type() != fs::file_type::not_found;
}

// The rows of the template that take part: shown, with an address.
std::vector<SeriesRow> usedRows(const Firmware& firmware) {
    std::vector<SeriesRow> rows;
    const Recognition& recognition = firmware.recognition;
    for (int r = 1; r < kRowCount; ++r) {
        const OutputRow& row = firmware.parameters.rows[static_cast<std::size_t>(r)];
        if (!rowShown(recognition, r) || row.address == 0)
            continue;
        const int reaction =
            recognition.type == DecoderType::Fahrzeug ? row.function : (row.redGreen != 0 ? 1 : 0);
        rows.push_back({r, recognition.rowCaption(r), row.address, row.address, reaction});
    }
    return rows;
}

// Builds the copy's text and its decoder as the file will read back; the reason when it cannot.
std::optional<std::string> buildCopy(const Firmware& firmware, int shift, SeriesCopy& copy,
                                     std::vector<LayoutDecoder>& built) {
    auto text = shiftedCopyText(firmware, shift);
    if (!text)
        return copy.file + ": " + text.message();
    auto reloaded = loadFirmware(*text);
    if (!reloaded)
        return copy.file + ": " + reloaded.message();
    for (const SeriesRow& row : copy.rows) {
        if (reloaded->parameters.rows[static_cast<std::size_t>(row.row)].address != row.to) {
            return copy.file + ": Adresse " + std::to_string(row.to) + " (Zeile " + std::to_string(row.row) +
                   ", " + row.caption + ") lässt sich in dieser Firmware nicht speichern.";
        }
    }
    copy.text = std::move(*text);
    built.push_back(layoutDecoder(*reloaded, copy.file));
    return std::nullopt;
}

} // namespace
} // namespace series_plan

std::vector<int> SeriesCopy::addresses() const {
    std::vector<int> list;
    for (const SeriesRow& row : rows)
        list.push_back(row.to);
    return list;
}

Result<SeriesPlan> planSeries(const Firmware& firmware, const SeriesRequest& request,
                              const std::filesystem::path& folder, const LayoutScan& layout,
                              const LayoutNotes& notes) {
    using namespace series_plan;
    const Recognition& recognition = firmware.recognition;
    if (recognition.kind == 0)
        return refused("Die Vorlage ist keine erkannte Firmware.");
    if (!recognition.rowsShown() || recognition.type == DecoderType::None)
        return refused("Die Vorlage hat kein Protokoll (Statusleiste \"ohne\"); ihre Adressen lassen sich "
                       "nicht fortzählen.");
    const std::vector<SeriesRow> templateRows = usedRows(firmware);
    if (templateRows.empty())
        return refused("Die Vorlage hat keine Adresse (alle Zeilen 0); es gibt nichts fortzuzählen.");
    if (request.count < 1 || request.count > kMaxSeriesCount)
        return refused("Die Anzahl muss zwischen 1 und " + std::to_string(kMaxSeriesCount) + " liegen.");

    SeriesPlan plan;
    plan.folder = folder;
    plan.protocol = recognition.protocol;
    plan.space = recognition.type == DecoderType::Fahrzeug ? AddressSpace::Vehicle : AddressSpace::Accessory;
    plan.force = request.force;
    plan.permissions = request.permissions;
    const int highest = highestAddress(plan.protocol, plan.space);
    const auto [lowestRow, highestRow] =
        std::minmax_element(templateRows.begin(), templateRows.end(),
                            [](const SeriesRow& a, const SeriesRow& b) { return a.from < b.from; });
    plan.span = highestRow->from - lowestRow->from + 1;
    plan.first = request.first.value_or(lowestRow->from);
    plan.stride = request.stride.value_or(plan.span);
    const std::string range = " liegen (" + std::string{protocolName(plan.protocol)} + "-" +
                              std::string{spaceText(plan.space)} + "adressen).";
    if (plan.first < 1 || plan.first > highest)
        return refused("Die erste Adresse muss zwischen 1 und " + std::to_string(highest) + range);
    if (plan.stride < 1 || plan.stride > highest)
        return refused("Der Abstand muss zwischen 1 und " + std::to_string(highest) + range);
    const int width = std::max(2, static_cast<int>(std::to_string(request.count).size()));
    if (auto problem = nameProblem(request.name, width))
        return refused(*problem);

    std::vector<LayoutDecoder> built;
    std::set<std::string> copyFiles;
    const int baseShift = plan.first - lowestRow->from;
    for (int k = 0; k < request.count; ++k) {
        SeriesCopy copy;
        copy.file = numbered(request.name, k + 1, width);
        copyFiles.insert(copy.file);
        const long long shift = baseShift + static_cast<long long>(k) * plan.stride;
        bool inRange = true;
        for (SeriesRow row : templateRows) {
            const long long to = row.from + shift;
            row.to = static_cast<int>(std::clamp<long long>(to, 0, 1LL << 30));
            if (to > highest) {
                inRange = false;
                plan.refusals.push_back(copy.file + ": Adresse " + std::to_string(to) + " (Zeile " +
                                        std::to_string(row.row) + ", " + row.caption +
                                        ") liegt außerhalb des gültigen Bereichs 1 bis " +
                                        std::to_string(highest) + ".");
            }
            copy.rows.push_back(std::move(row));
        }

        const std::filesystem::path target = folder / copy.file;
        if (somethingAt(target)) {
            if (!request.force) {
                plan.refusals.push_back(copy.file + " gibt es schon.");
            } else if (auto what = notReplaceable(target)) {
                plan.refusals.push_back(copy.file + " ist " + *what + " und wird nicht ersetzt.");
            } else {
                copy.replaces = true;
            }
        }
        if (inRange) {
            if (auto problem = buildCopy(firmware, static_cast<int>(shift), copy, built))
                plan.refusals.push_back(std::move(*problem));
        }
        plan.copies.push_back(std::move(copy));
    }

    for (const LayoutProblem& problem : layout.problems)
        plan.notes.push_back("Nicht geprüft: " + problem.file + " (" + problem.reason + ")");
    // The layout as it will be: the files of the copies' names give way to them. Copies refused
    // for their range are left out; every other reason is listed beside the clashes.
    std::vector<LayoutDecoder> after;
    for (const LayoutDecoder& decoder : layout.decoders) {
        if (!copyFiles.contains(decoder.file))
            after.push_back(decoder);
    }
    after.insert(after.end(), std::make_move_iterator(built.begin()), std::make_move_iterator(built.end()));
    const LayoutScan prospect = analyseLayout(std::move(after), {}, notes);
    for (const Clash& clash : prospect.clashes) {
        const bool involvesCopy =
            std::any_of(clash.key.rows.begin(), clash.key.rows.end(),
                        [&](const RowRef& ref) { return copyFiles.contains(ref.file); });
        if (involvesCopy && !clash.intended)
            plan.refusals.push_back(clash.text);
    }
    return plan;
}

Result<std::vector<std::string>> writeSeries(const SeriesPlan& plan) {
    using namespace series_plan;
    if (!plan.ok())
        return refused("Die Serie wird nicht geschrieben: " + plan.refusals.front());
    const std::string folderName = io::detail::shownName(plan.folder);
    std::error_code error;
    if (fs::status(plan.folder, error).type() == fs::file_type::not_found) {
        fs::create_directories(plan.folder, error);
        if (error)
            return Error{"Der Ordner \"" + folderName +
                             "\" konnte nicht angelegt werden: " + io::detail::writeReason(error.value()),
                         ErrorKind::WriteFailed};
    } else if (!fs::is_directory(plan.folder, error)) {
        return Error{"\"" + folderName + "\" ist kein Ordner; die Serie wird nicht geschrieben.",
                     ErrorKind::WriteFailed};
    }
    for (const SeriesCopy& copy : plan.copies) {
        if (!plan.force && somethingAt(plan.folder / copy.file))
            return refused(copy.file + " gibt es inzwischen; die Serie wird nicht geschrieben.");
    }

    std::vector<std::string> written;
    std::vector<fs::path> made;
    std::vector<std::string> replaced;
    for (const SeriesCopy& copy : plan.copies) {
        const fs::path target = plan.folder / copy.file;
        const bool existed = somethingAt(target);
        Status status;
        auto lock = io::FileLock::acquire(target);
        if (!lock) {
            status = lock.error();
        } else {
            io::WriteOptions options;
            options.newFilePermissions = plan.permissions;
            options.maxBytes = kMaxFirmwareFileSize;
            status = io::writeFileReplacing(target, copy.text, options);
        }
        if (!status) {
            for (const fs::path& path : made)
                fs::remove(path, error);
            std::string message = status.message() + "\nDie Serie wurde abgebrochen";
            message += made.empty() ? "."
                                    : "; die " + std::to_string(made.size()) +
                                          " schon geschriebenen neuen Dateien wurden wieder entfernt.";
            if (!replaced.empty()) {
                message += " Schon ersetzt sind:";
                for (const std::string& file : replaced)
                    message += " " + file;
                message += ".";
            }
            return Error{std::move(message), status.kind()};
        }
        written.push_back(copy.file);
        if (existed)
            replaced.push_back(copy.file);
        else
            made.push_back(target);
    }
    return written;
}

} // namespace hq
