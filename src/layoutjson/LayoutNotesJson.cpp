// anlage.json is read with the settings library's JSON reader (German messages, a key given twice
// refused) and checked entry by entry: a file the user edits by hand gets a message that names the
// entry, and is never half taken.

#include "LayoutJson.h"

#include "JsonText.h"
#include "io/FileLock.h"
#include "io/ReadFile.h"
#include "io/WriteFile.h"

namespace hq {

namespace layout_notes_json {
namespace {

using Json = nlohmann::json;

Error notesError(const std::string& text) {
    return Error{std::string{kLayoutNotesFile} + ": " + text, ErrorKind::Refused};
}

std::string inQuotes(std::string_view text) {
    return "\"" + std::string{text} + "\"";
}

// The reader's messages start with the settings' prefix; anlage.json gets its own.
std::string readerProblem(const std::string& message) {
    const std::string prefix = settingsProblem("");
    return message.starts_with(prefix) ? message.substr(prefix.size()) : message;
}

std::string_view kindName(ClashKind kind) {
    switch (kind) {
    case ClashKind::Broadcast:
        return "broadcast";
    case ClashKind::OutOfRange:
        return "range";
    case ClashKind::SameCommand:
        break;
    }
    return "same";
}

const Json* field(const Json& object, const char* key) {
    auto found = object.find(key);
    return found == object.end() || found->is_null() ? nullptr : &*found;
}

std::optional<int> wholeNumber(const Json* value) {
    if (value == nullptr || !value->is_number_integer())
        return std::nullopt;
    const auto number = value->get<long long>();
    if (number < 0 || number > 1'000'000)
        return std::nullopt;
    return static_cast<int>(number);
}

Result<ClashKey> clashKeyFrom(const Json& entry, std::size_t index) {
    const std::string where = inQuotes("intended") + ", Eintrag " + std::to_string(index + 1) + ": ";
    if (!entry.is_object())
        return notesError(where + "kein Objekt.");
    ClashKey key;
    const Json* kind = field(entry, "kind");
    if (kind && *kind == "same")
        key.kind = ClashKind::SameCommand;
    else if (kind && *kind == "broadcast")
        key.kind = ClashKind::Broadcast;
    else if (kind && *kind == "range")
        key.kind = ClashKind::OutOfRange;
    else
        return notesError(where + inQuotes("kind") + " ist \"same\", \"broadcast\" oder \"range\".");
    const Json* protocol = field(entry, "protocol");
    if (protocol && *protocol == "MM")
        key.protocol = Protocol::MM;
    else if (protocol && *protocol == "DCC")
        key.protocol = Protocol::DCC;
    else
        return notesError(where + inQuotes("protocol") + " ist \"MM\" oder \"DCC\".");
    const Json* space = field(entry, "space");
    if (space && *space == "accessory")
        key.space = AddressSpace::Accessory;
    else if (space && *space == "vehicle")
        key.space = AddressSpace::Vehicle;
    else
        return notesError(where + inQuotes("space") + " ist \"accessory\" oder \"vehicle\".");
    std::optional<int> address = wholeNumber(field(entry, "address"));
    if (!address)
        return notesError(where + inQuotes("address") + " muss eine ganze Zahl sein.");
    key.address = *address;
    if (key.space == AddressSpace::Accessory) {
        const Json* color = field(entry, "color");
        if (color && (*color == "green" || *color == "red"))
            key.reaction = *color == "green" ? 1 : 0;
        else
            return notesError(where + inQuotes("color") + " ist \"green\" oder \"red\".");
    } else {
        std::optional<int> function = wholeNumber(field(entry, "function"));
        if (!function)
            return notesError(where + inQuotes("function") + " muss eine ganze Zahl sein.");
        key.reaction = *function;
    }
    const Json* rows = field(entry, "rows");
    if (!rows || !rows->is_array() || rows->empty())
        return notesError(where + inQuotes("rows") + " muss eine Liste von {\"file\", \"row\"} sein.");
    for (const Json& row : *rows) {
        const Json* file = row.is_object() ? field(row, "file") : nullptr;
        std::optional<int> number = row.is_object() ? wholeNumber(field(row, "row")) : std::nullopt;
        if (!file || !file->is_string() || !number)
            return notesError(where + inQuotes("rows") + " muss eine Liste von {\"file\", \"row\"} sein.");
        key.rows.push_back({file->get<std::string>(), *number});
    }
    std::sort(key.rows.begin(), key.rows.end());
    return key;
}

Status decodersFrom(const Json& decoders, LayoutNotes& notes) {
    if (!decoders.is_object())
        return notesError(inQuotes("decoders") + " muss ein Objekt sein (Dateiname: {\"name\", \"note\"}).");
    for (const auto& [file, entry] : decoders.items()) {
        const std::string where = inQuotes("decoders") + ", " + inQuotes(file) + ": ";
        if (!entry.is_object())
            return notesError(where + "kein Objekt.");
        DecoderNote note;
        for (auto [key, target] : {std::pair{"name", &note.name}, std::pair{"note", &note.note}}) {
            const Json* value = field(entry, key);
            if (value && !value->is_string())
                return notesError(where + inQuotes(key) + " muss ein Text sein.");
            if (value)
                *target = value->get<std::string>();
        }
        notes.decoders[file] = std::move(note);
    }
    return {};
}

std::filesystem::path notesPath(const std::filesystem::path& folder) {
    return folder / std::string{kLayoutNotesFile};
}

// The file's text; empty when there is none.
Result<std::string> notesText(const std::filesystem::path& folder) {
    auto text = io::readRegularFile(notesPath(folder), kMaxLayoutNotesSize);
    if (!text && text.kind() == ErrorKind::NotFound)
        return std::string{};
    return text;
}

} // namespace
} // namespace layout_notes_json

Result<LayoutNotes> layoutNotesFromJsonText(std::string_view text) {
    using namespace layout_notes_json;
    auto json = parseJsonText(text);
    if (!json)
        return notesError(readerProblem(json.message()));
    if (!json->is_object())
        return notesError("Der Inhalt muss ein JSON-Objekt sein.");
    LayoutNotes notes;
    if (const Json* decoders = field(*json, "decoders")) {
        if (Status read = decodersFrom(*decoders, notes); !read)
            return read.error();
    }
    if (const Json* intended = field(*json, "intended")) {
        if (!intended->is_array())
            return notesError(inQuotes("intended") + " muss eine Liste sein.");
        for (std::size_t i = 0; i < intended->size(); ++i) {
            auto key = clashKeyFrom((*intended)[i], i);
            if (!key)
                return key.error();
            notes.setIntended(*key, true);
        }
    }
    return notes;
}

Json clashKeyJson(const ClashKey& key) {
    using namespace layout_notes_json;
    Json json = Json::object();
    json["kind"] = kindName(key.kind);
    json["protocol"] = protocolName(key.protocol);
    json["space"] = key.space == AddressSpace::Vehicle ? "vehicle" : "accessory";
    json["address"] = key.address;
    if (key.space == AddressSpace::Vehicle)
        json["function"] = key.reaction;
    else
        json["color"] = key.reaction != 0 ? "green" : "red";
    Json rows = Json::array();
    for (const RowRef& row : key.rows)
        rows.push_back(Json{{"file", row.file}, {"row", row.row}});
    json["rows"] = std::move(rows);
    return json;
}

std::string layoutNotesJsonText(const LayoutNotes& notes, std::string_view previous) {
    using namespace layout_notes_json;
    Json root = Json::object();
    if (!previous.empty()) {
        if (auto parsed = parseJsonText(previous); parsed && parsed->is_object())
            root = std::move(*parsed);
    }
    const Json* before = field(root, "decoders");
    Json decoders = Json::object();
    for (const auto& [file, note] : notes.decoders) {
        Json entry = Json::object();
        if (before && before->is_object()) {
            if (auto found = before->find(file); found != before->end() && found->is_object())
                entry = *found;
        }
        entry.erase("name");
        entry.erase("note");
        if (!note.name.empty())
            entry["name"] = note.name;
        if (!note.note.empty())
            entry["note"] = note.note;
        if (!entry.empty())
            decoders[file] = std::move(entry);
    }
    root["decoders"] = std::move(decoders);
    Json intended = Json::array();
    for (const ClashKey& key : notes.intended)
        intended.push_back(clashKeyJson(key));
    root["intended"] = std::move(intended);
    return jsonText(root);
}

Result<LayoutNotes> readLayoutNotes(const std::filesystem::path& folder) {
    using namespace layout_notes_json;
    auto text = notesText(folder);
    if (!text)
        return text.error();
    if (text->empty())
        return LayoutNotes{};
    return layoutNotesFromJsonText(*text);
}

Status updateLayoutNotes(const std::filesystem::path& folder,
                         const std::function<void(LayoutNotes&)>& change) {
    using namespace layout_notes_json;
    auto lock = io::FileLock::acquire(notesPath(folder));
    if (!lock)
        return lock.error();
    auto text = notesText(folder);
    if (!text)
        return text.error();
    LayoutNotes notes;
    if (!text->empty()) {
        auto read = layoutNotesFromJsonText(*text);
        if (!read)
            return Error{read.message() +
                             "\nDie Datei wird nicht überschrieben; bitte zuerst von Hand berichtigen.",
                         ErrorKind::Refused};
        notes = std::move(*read);
    }
    change(notes);
    io::WriteOptions options;
    options.maxBytes = kMaxLayoutNotesSize;
    return io::writeFileReplacing(notesPath(folder), layoutNotesJsonText(notes, *text), options);
}

Result<LayoutScan> scanLayoutFolder(const std::filesystem::path& folder, const ScanOptions& options) {
    auto notes = readLayoutNotes(folder);
    auto scan = scanLayout(folder, notes ? *notes : LayoutNotes{}, options);
    if (scan && !notes) {
        scan->problems.insert(
            scan->problems.begin(),
            {std::string{kLayoutNotesFile},
             notes.message() + " Namen, Notizen und gewollte Doppelbelegungen fehlen deshalb."});
    }
    return scan;
}

} // namespace hq
