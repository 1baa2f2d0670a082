// The servo firmware's eight address rows are its assignment rows a1..a8 (servo, action, curve,
// relay); the blink and LED firmwares play pattern n on the address of row n. What those do is
// read from the program-memory tables the editors use, so the layout names what the decoder will
// really do on the address.

#include "layout/LayoutDecoder.h"

#include "help/AddressHelp.h"
#include "light/PatternBank.h"
#include "servo/ServoAssignment.h"
#include "servo/ServoWorkingCopy.h"

namespace hq {

namespace layout_decoder {
namespace {

constexpr std::string_view kNone = "–";

std::string itemText(int item, std::string_view prefix) {
    return item < 0 ? std::string{prefix} + std::string{kNone}
                    : std::string{prefix} + std::to_string(item + 1);
}

std::string servoUse(const ServoData& data, int row) {
    if (row < 1 || row > kAssignmentRowCount)
        return {};
    const AssignmentRow bytes = assignmentRow(data, row);
    const int action = comboItem(actionBitIndex(bytes.servoAction));
    std::string text =
        itemText(comboItem(servoBitIndex(bytes.servoAction)), "Servo ") + ", " +
        (action < 0 ? std::string{kNone} : std::string{kActionNames[static_cast<std::size_t>(action)]});
    if (curveAndRelayShown(actionBitIndex(bytes.servoAction))) {
        text += ", " + itemText(comboItem(curveBitIndex(bytes.curveRelay)), "Kurve ") + ", " +
                itemText(comboItem(relayBitIndex(bytes.curveRelay)), "Relais ");
    }
    return text;
}

std::string patternUse(const PatternBank& bank, int row) {
    if (row < 1 || row > kPatternAddresses)
        return {};
    std::vector<int> outputs;
    for (int output = 1; output <= bank.layout().outputs; ++output) {
        if (bank.outputUsed(row, output))
            outputs.push_back(output);
    }
    std::string text = "Muster " + std::to_string(row) + ": ";
    if (outputs.empty())
        return text + "kein Ausgang";
    text += (outputs.size() == 1 ? "Ausgang " : "Ausgänge ") + runsText(outputs);
    return text + (bank.loop(row) ? ", Loop" : ", einmal");
}

// The records with a wrong checksum or layout, empty lines aside (as the load warning counts them).
std::string badRecordsText(const HexImage& image) {
    std::vector<int> lines;
    for (int line : badRecordLines(image)) {
        if (!image.lines[static_cast<std::size_t>(line - 1)].empty())
            lines.push_back(line);
    }
    if (lines.empty())
        return {};
    constexpr std::size_t kListed = 10;
    std::string numbers;
    for (std::size_t i = 0; i < lines.size() && i < kListed; ++i)
        numbers += (i ? ", " : "") + std::to_string(lines[i]);
    if (lines.size() > kListed)
        numbers += " … (" + std::to_string(lines.size()) + " Zeilen)";
    return "HEX-Zeilen mit falscher Prüfsumme oder fehlerhaftem Aufbau: " + numbers;
}

} // namespace
} // namespace layout_decoder

LayoutDecoder layoutDecoder(const Firmware& firmware, std::string file) {
    using namespace layout_decoder;
    const Recognition& recognition = firmware.recognition;
    LayoutDecoder decoder;
    decoder.file = std::move(file);
    decoder.kind = recognition.kind;
    decoder.caption = std::string{recognition.statusCaption()};
    decoder.version = firmware.scan.version;
    decoder.hardware = firmware.scan.hardwareMark;
    decoder.protocol = recognition.protocol;
    decoder.type = recognition.type;
    if (const auto& extra = recognition.extra())
        decoder.extra = LayoutExtra{std::string{extra->caption}, firmware.parameters.extraValue};

    std::optional<ServoData> servo;
    std::optional<PatternBank> patterns;
    if (recognition.panel() == Panel::Servo) {
        servo = loadServoWorkingCopy(firmware.image, firmware.eeprom()).data;
    } else if (const PatternLayout* layout = recognition.panel() == Panel::Blink ? &kBlinkLayout
                                             : recognition.panel() == Panel::Led ? &kLedLayout
                                                                                 : nullptr) {
        patterns.emplace(*layout);
        patterns->read(firmware.image);
    }

    const RowTable values = rowValuesFrom(firmware.parameters, recognition);
    const EepromLineMap noLines{}; // the layout shows no HEX lines
    for (int r = 1; r < kRowCount; ++r) {
        if (!values[static_cast<std::size_t>(r)].shown)
            continue;
        AddressHelp help = addressHelp(recognition.protocol, recognition.type, values, r, noLines);
        LayoutRow row;
        row.row = r;
        row.caption = recognition.rowCaption(r);
        row.address = help.address;
        const OutputRow& loaded = firmware.parameters.rows[static_cast<std::size_t>(r)];
        row.reaction =
            recognition.type == DecoderType::Fahrzeug ? loaded.function : (loaded.redGreen != 0 ? 1 : 0);
        row.headline = std::move(help.headline);
        row.numbering = std::move(help.numbering);
        row.warnings = std::move(help.warnings);
        if (servo)
            row.use = servoUse(*servo, r);
        else if (patterns)
            row.use = patternUse(*patterns, r);
        for (const HelpWarning& warning : row.warnings)
            decoder.warnings.push_back("Zeile " + std::to_string(r) + " (" + row.caption +
                                       "): " + warning.text);
        decoder.rows.push_back(std::move(row));
    }

    if (!recognition.rowsShown()) {
        decoder.warnings.emplace_back("Kein Protokoll erkannt (Statusleiste \"ohne\"): Die Ausgänge werden "
                                      "nicht gezeigt und nicht geprüft.");
    }
    if (std::string bad = badRecordsText(firmware.image); !bad.empty())
        decoder.warnings.push_back(std::move(bad));
    return decoder;
}

} // namespace hq
