// The JSON of a scan holds the same as the text: every decoder with its rows, the address index,
// the clashes with the key to mark them intended in anlage.json, the free blocks and what was
// passed over. Index entries and clash parties name their decoder by file and row, so the output
// reads without the indexes the program keeps.

#include "LayoutJson.h"

#include "JsonText.h"
#include "io/ErrorText.h"
#include "layout/LayoutAnalysis.h"

namespace hq {

namespace layout_scan_json {
namespace {

using Json = nlohmann::json;

Json protocolJson(Protocol protocol) {
    return protocol == Protocol::None ? Json() : Json(protocolName(protocol));
}

std::string_view spaceName(AddressSpace space) {
    return space == AddressSpace::Vehicle ? "vehicle" : "accessory";
}

void putReaction(Json& json, AddressSpace space, int reaction) {
    if (space == AddressSpace::Vehicle)
        json["function"] = reaction;
    else
        json["color"] = reaction != 0 ? "green" : "red";
}

Json rowJson(const LayoutDecoder& decoder, const LayoutRow& row) {
    Json json = Json::object();
    json["row"] = row.row;
    json["caption"] = row.caption;
    json["address"] = row.address;
    putReaction(json, decoder.space(), row.reaction);
    json["headline"] = row.headline;
    json["numbering"] = row.numbering;
    json["use"] = row.use;
    Json warnings = Json::array();
    for (const HelpWarning& warning : row.warnings)
        warnings.push_back(warning.text);
    json["warnings"] = std::move(warnings);
    return json;
}

Json decoderJson(const LayoutDecoder& decoder) {
    Json json = Json::object();
    json["file"] = decoder.file;
    json["name"] = decoder.name;
    json["note"] = decoder.note;
    json["kind"] = decoder.kind;
    json["caption"] = decoder.caption;
    json["version"] = decoder.version;
    json["hardware"] = decoder.hardware;
    json["protocol"] = protocolJson(decoder.protocol);
    json["type"] = decoder.type == DecoderType::None ? Json() : Json(typeName(decoder.type));
    json["extra"] =
        decoder.extra ? Json{{"caption", decoder.extra->caption}, {"value", decoder.extra->value}} : Json();
    Json rows = Json::array();
    for (const LayoutRow& row : decoder.rows)
        rows.push_back(rowJson(decoder, row));
    json["rows"] = std::move(rows);
    json["warnings"] = decoder.warnings;
    return json;
}

Json partyJson(const LayoutDecoder& decoder, const LayoutRow& row) {
    return Json{{"file", decoder.file}, {"row", row.row}, {"caption", row.caption}};
}

} // namespace
} // namespace layout_scan_json

std::string layoutJsonText(const LayoutScan& scan, const std::filesystem::path& folder) {
    using namespace layout_scan_json;
    Json root = Json::object();
    root["folder"] = io::detail::shownName(folder);

    Json decoders = Json::array();
    for (const LayoutDecoder& decoder : scan.decoders)
        decoders.push_back(decoderJson(decoder));
    root["decoders"] = std::move(decoders);

    Json addresses = Json::array();
    for (const AddressEntry& entry : scan.addresses) {
        const LayoutDecoder& decoder = scan.decoderOf(entry);
        const LayoutRow& row = scan.rowOf(entry);
        Json json = Json::object();
        json["protocol"] = protocolName(entry.protocol);
        json["space"] = spaceName(entry.space);
        json["address"] = entry.address;
        putReaction(json, entry.space, entry.reaction);
        json["use"] = row.use;
        json["file"] = decoder.file;
        json["row"] = row.row;
        json["caption"] = row.caption;
        Json clashes = Json::array();
        for (std::size_t index : clashesOf(scan, entry.decoder, entry.row))
            clashes.push_back(clashTextFor(scan, scan.clashes[index], entry.decoder, entry.row));
        json["clashes"] = std::move(clashes);
        addresses.push_back(std::move(json));
    }
    root["addresses"] = std::move(addresses);

    Json clashes = Json::array();
    for (const Clash& clash : scan.clashes) {
        Json parties = Json::array();
        for (const ClashParty& party : clash.parties)
            parties.push_back(partyJson(scan.decoderOf(party), scan.rowOf(party)));
        clashes.push_back(Json{{"key", clashKeyJson(clash.key)},
                               {"intended", clash.intended},
                               {"text", clash.text},
                               {"parties", std::move(parties)}});
    }
    root["clashes"] = std::move(clashes);

    Json free = Json::array();
    for (const FreeBlock& block : scan.freeBlocks) {
        free.push_back(Json{{"protocol", protocolName(block.protocol)},
                            {"size", block.size},
                            {"first", block.first == 0 ? Json() : Json(block.first)},
                            {"last", block.first == 0 ? Json() : Json(block.first + block.size - 1)}});
    }
    root["free"] = std::move(free);

    Json problems = Json::array();
    for (const LayoutProblem& problem : scan.problems)
        problems.push_back(Json{{"file", problem.file}, {"reason", problem.reason}});
    root["problems"] = std::move(problems);

    root["summary"] = Json{{"decoders", scan.decoders.size()},
                           {"addresses", scan.addresses.size()},
                           {"clashes", scan.clashes.size()},
                           {"open_clashes", scan.openClashCount()},
                           {"problems", scan.problems.size()}};
    return jsonText(root);
}

} // namespace hq
