// "outputs": one entry per shown grid row with its caption, address and red/green choice
// (switching decoders) or function number (function decoders). `show --json` adds the address
// help of each row: "decoder" and "port" for accessory rows, "cv" ({"1": 3} or {"17": 192,
// "18": 200}) for DCC vehicle rows, both left out for address 0, and "warnings", the German texts
// the window shows beside the row. `apply` passes these over.

#include "JsonSection.h"
#include "help/AccessoryNumbering.h"
#include "help/RowWarnings.h"
#include "help/VehicleAddress.h"
#include "settings/RowsAsRead.h"

#include <array>

namespace hq {

namespace outputs_json {
namespace {

bool rowListed(const Recognition& recognition, int row) {
    return recognition.rowsShown() && !recognition.rowCaption(row).empty();
}

void addAddressHelp(Json& object, const Recognition& recognition, const RowTable& rows,
                    const RowsAsRead& kept, int r) {
    const RowValues& row = rows[static_cast<std::size_t>(r)];
    if (recognition.type == DecoderType::Schalt) {
        if (auto place = accessoryDecoderOutput(row.address)) {
            object["decoder"] = place->decoder;
            object["port"] = place->output;
        }
    } else if (recognition.type == DecoderType::Fahrzeug && recognition.protocol == Protocol::DCC) {
        if (auto cvs = dccVehicleCvs(row.address)) {
            Json values = Json::object();
            for (const auto& [cv, value] : cvs->values)
                values[std::to_string(cv)] = value;
            object["cv"] = values;
        }
    }
    Json warnings = Json::array();
    if (const auto& asRead = kept[static_cast<std::size_t>(r)])
        warnings.push_back(asRead->text());
    for (const HelpWarning& warning : rowWarnings(recognition.protocol, recognition.type, rows, r))
        warnings.push_back(warning.text);
    object["warnings"] = warnings;
}

std::optional<Json> show(const ShowSource& source) {
    const Recognition& recognition = source.firmware.recognition;
    const RowTable rows = rowValuesFrom(source.firmware.parameters, recognition);
    const RowsAsRead kept = source.form == JsonForm::Firmware ? rowsAsRead(source.firmware) : RowsAsRead{};
    Json list = Json::array();
    for (int r = 0; r < kRowCount; ++r) {
        if (!rowListed(recognition, r))
            continue;
        const RowSetting& row = source.settings.rows[r];
        Json object = Json::object();
        object["row"] = r;
        object["caption"] = recognition.rowCaption(r);
        object["address"] = fieldValueJson(row.address);
        if (recognition.type == DecoderType::Schalt)
            object["color"] = row.redGreen == 1 ? "green" : "red";
        else
            object["function"] = fieldValueJson(row.function);
        if (source.form == JsonForm::Firmware)
            addAddressHelp(object, recognition, rows, kept, r);
        list.push_back(std::move(object));
    }
    return list;
}

// Puts a number or string into the row's field; null and a missing key keep it.
Status takeFieldValue(const Json& entry, const char* key, int row, FieldValue& field) {
    const Json* value = member(entry, key);
    if (absent(value))
        return {};
    auto typed = jsonFieldValue(*value);
    if (!typed) {
        return settingsError(quotedKey(key) + " von Zeile " + std::to_string(row) +
                             " muss eine Zahl oder ein Text sein.");
    }
    field = *typed;
    return {};
}

Status takeColor(const Json& entry, int row, RowSetting& setting) {
    const Json* value = member(entry, "color");
    if (absent(value))
        return {};
    const std::string color = value->is_string() ? value->get<std::string>() : std::string{};
    if (color == "green")
        setting.redGreen = 1;
    else if (color == "red")
        setting.redGreen = 0;
    else
        return settingsError("\"color\" von Zeile " + std::to_string(row) +
                             " muss \"green\" oder \"red\" sein.");
    return {};
}

Status apply(const Json& value, SettingsTarget& target) {
    if (value.is_null())
        return {};
    if (!value.is_array())
        return settingsError("\"outputs\" muss eine Liste sein.");
    const Recognition& recognition = target.firmware.recognition;
    std::array<bool, kRowCount> seen{};
    for (std::size_t i = 0; i < value.size(); ++i) {
        const std::string number = std::to_string(i + 1);
        const Json& entry = value[i];
        if (!entry.is_object())
            return settingsError("Eintrag " + number + " von \"outputs\" ist kein Objekt.");
        const Json* rowValue = member(entry, "row");
        auto row = rowValue ? jsonInteger(*rowValue) : std::nullopt;
        if (!row || *row < 1 || *row >= kRowCount) {
            return settingsError("Eintrag " + number +
                                 " von \"outputs\" hat keine gültige Zeile (\"row\" 1 bis " +
                                 std::to_string(kRowCount - 1) + ").");
        }
        if (!rowListed(recognition, *row))
            return settingsError("Zeile " + std::to_string(*row) +
                                 " wird bei dieser Firmware nicht angezeigt.");
        if (seen[*row])
            return settingsError("Zeile " + std::to_string(*row) + " ist in \"outputs\" mehrfach angegeben.");
        seen[*row] = true;

        RowSetting& setting = target.settings.rows[*row];
        if (Status taken = takeFieldValue(entry, "address", *row, setting.address); !taken)
            return taken;
        if (recognition.type == DecoderType::Schalt) {
            if (Status taken = takeColor(entry, *row, setting); !taken)
                return taken;
        } else if (Status taken = takeFieldValue(entry, "function", *row, setting.function); !taken) {
            return taken;
        }
    }
    return {};
}

} // namespace
} // namespace outputs_json

const JsonSection& outputsSection() {
    static const JsonSection section{"outputs", outputs_json::show, outputs_json::apply};
    return section;
}

} // namespace hq
