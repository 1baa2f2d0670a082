// The list of differences between two settings of one firmware, worded for the user: what a
// take-over from another file would change, and what is edited but not saved.

#include "settings/FirmwareSettings.h"

#include "FieldRange.h"
#include "light/PatternBank.h"
#include "servo/CurveTransform.h"
#include "servo/ServoAssignment.h"
#include "servo/ServoFlags.h"

#include <algorithm>
#include <tuple>

namespace hq {

namespace {

using Area = SettingsChange::Area;

std::string joined(const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : ", ") + part;
    return text;
}

std::string numberOrDash(const std::optional<int>& value) {
    return value ? std::to_string(*value) : std::string{"–"};
}

std::string colourName(int redGreen) {
    return redGreen == 1 ? "grün" : "rot";
}

// Why the target firmware would refuse `value` in a field of lowest..highest, or nothing.
std::string rangeProblem(const Recognition& recognition, const FieldValue& value, int lowest, int highest) {
    const FieldReading reading = readNumberField(value, lowest, highest, true);
    const std::string range = std::to_string(lowest) + " bis " + std::to_string(highest);
    const std::string protocol{protocolName(recognition.protocol)};
    const std::string where = protocol.empty() ? range : range + " bei " + protocol;
    switch (reading.verdict) {
    case FieldVerdict::NotANumber:
        return "keine Zahl";
    case FieldVerdict::TooSmall:
        return "zu klein, gültig " + where;
    case FieldVerdict::TooLarge:
        return "zu gross, gültig " + where;
    case FieldVerdict::Valid:
        break;
    }
    return {};
}

void rowChanges(const Recognition& recognition, const FirmwareSettings& from, const FirmwareSettings& to,
                std::vector<SettingsChange>& changes) {
    if (!recognition.rowsShown())
        return;
    const bool accessory = recognition.type == DecoderType::Schalt;
    for (int r = 1; r < kRowCount; ++r) {
        const std::string& caption = recognition.rowCaption(r);
        if (caption.empty())
            continue;
        const RowSetting& a = from.rows[r];
        const RowSetting& b = to.rows[r];
        if (a.address != b.address)
            changes.push_back({Area::Row, r, caption + " – Adresse", a.address.text(), b.address.text(),
                               rangeProblem(recognition, b.address, 0, recognition.maxAddress)});
        if (accessory && a.redGreen != b.redGreen)
            changes.push_back(
                {Area::Row, r, caption + " – R/G", colourName(a.redGreen), colourName(b.redGreen), {}});
        if (!accessory && a.function != b.function)
            changes.push_back({Area::Row, r, caption + " – Funktion", a.function.text(), b.function.text(),
                               rangeProblem(recognition, b.function, 0, recognition.maxFunction)});
    }
}

std::string assignmentText(const AssignmentRow& row) {
    auto item = [](const char* name, int bitIndex) {
        int index = comboItem(bitIndex);
        return index < 0 ? std::string{"–"} : std::string{name} + " " + std::to_string(index + 1);
    };
    int action = comboItem(actionBitIndex(row.servoAction));
    std::string text =
        item("Servo", servoBitIndex(row.servoAction)) + ", " +
        (action < 0 ? std::string{"–"} : std::string{kActionNames[static_cast<std::size_t>(action)]});
    if (curveAndRelayShown(actionBitIndex(row.servoAction)))
        text += ", " + item("Kurve", curveBitIndex(row.curveRelay)) + ", " +
                item("Relais", relayBitIndex(row.curveRelay));
    return text;
}

std::string timingText(const ServoTiming& timing, int servo) {
    return pulseMillisecondsText(minimumPulseUnits(timing.offset(servo)), ",") + " – " +
           pulseMillisecondsText(maximumPulseUnits(timing.offset(servo), timing.faktor(servo)), ",") + " ms";
}

void servoChanges(const ServoWorkingCopy& from, const ServoWorkingCopy& to,
                  std::vector<SettingsChange>& changes) {
    for (int n = 1; n <= kServoCurveCount; ++n) {
        const CurveBlock& a = from.data.curve(n);
        const CurveBlock& b = to.data.curve(n);
        std::vector<std::string> what;
        if (!std::equal(a.begin(), a.begin() + kMaxCurvePoints, b.begin()))
            what.emplace_back("Punkte");
        if (a[kCurveCountEntry] != b[kCurveCountEntry])
            what.push_back("Anzahl " + std::to_string(a[kCurveCountEntry]) + " → " +
                           std::to_string(b[kCurveCountEntry]));
        if (a[kCurveStretchEntry] != b[kCurveStretchEntry])
            what.push_back("Stretch " + std::to_string(a[kCurveStretchEntry]) + " → " +
                           std::to_string(b[kCurveStretchEntry]));
        if (!what.empty())
            changes.push_back({Area::Servo, 0, "Kurve " + std::to_string(n), {}, joined(what), {}});
    }
    for (int row = 1; row <= kAssignmentRowCount; ++row) {
        AssignmentRow a = assignmentRow(from.data, row);
        AssignmentRow b = assignmentRow(to.data, row);
        if (a.servoAction != b.servoAction || a.curveRelay != b.curveRelay)
            changes.push_back({Area::Servo,
                               0,
                               "Zuordnung a" + std::to_string(row),
                               assignmentText(a),
                               assignmentText(b),
                               {}});
    }
    for (int servo = 1; servo <= kServoCurveCount; ++servo) {
        if (from.timing.offset(servo) != to.timing.offset(servo) ||
            from.timing.faktor(servo) != to.timing.faktor(servo))
            changes.push_back({Area::Servo,
                               0,
                               "Impulse Servo " + std::to_string(servo),
                               timingText(from.timing, servo),
                               timingText(to.timing, servo),
                               {}});
        std::vector<std::string> flags;
        for (ServoFlag flag : kServoFlags) {
            bool a = hasFlag(servoFlagByte(from.data, servo), flag);
            bool b = hasFlag(servoFlagByte(to.data, servo), flag);
            if (a != b)
                flags.push_back(std::string{servoFlagCaption(flag)} + (b ? " ein" : " aus"));
        }
        // Bits without a check box count as well: they are stored with the flags.
        if (flags.empty() && servoFlagByte(from.data, servo) != servoFlagByte(to.data, servo))
            flags.emplace_back("weitere Bits");
        if (!flags.empty())
            changes.push_back(
                {Area::Servo, 0, "Optionen Servo " + std::to_string(servo), {}, joined(flags), {}});
    }
}

void patternChanges(const Panel panel, const PatternSetting& from, const PatternSetting& to,
                    std::vector<SettingsChange>& changes) {
    if (from.layout == nullptr || from.layout != to.layout)
        return;
    const PatternLayout& layout = *from.layout;
    PatternBank a(layout);
    a.table() = from.table;
    PatternBank b(layout);
    b.table() = to.table;
    const std::string name = panel == Panel::Led ? "LED-Muster" : "Blinkmuster";
    for (int address = 1; address <= kPatternAddresses; ++address) {
        std::vector<std::string> what;
        bool steps = false;
        bool used = false;
        for (int output = 1; output <= layout.outputs; ++output) {
            steps = steps || a.stepsText(address, output) != b.stepsText(address, output);
            used = used || a.outputUsed(address, output) != b.outputUsed(address, output);
        }
        if (steps)
            what.emplace_back("Schritte");
        if (a.count(address) != b.count(address))
            what.push_back("Anzahl " + std::to_string(a.count(address)) + " → " +
                           std::to_string(b.count(address)));
        if (a.stretch(address) != b.stretch(address))
            what.push_back("Stretch " + std::to_string(a.stretch(address)) + " → " +
                           std::to_string(b.stretch(address)));
        if (a.loop(address) != b.loop(address))
            what.push_back(std::string{"Loop "} + (b.loop(address) ? "ein" : "aus"));
        if (used)
            what.emplace_back("verwendete Ausgänge");
        // Entries outside what the editor shows (steps past the count, spare entries) still differ.
        if (what.empty()) {
            const int stored = layout.programBlocks * 256 - (layout.shortBlock1 ? 1 : 0);
            const auto first = static_cast<std::ptrdiff_t>((address - 1) * layout.blockSize);
            const auto last = static_cast<std::ptrdiff_t>(std::min(address * layout.blockSize, stored));
            if (!std::equal(from.table.begin() + first, from.table.begin() + last, to.table.begin() + first))
                what.emplace_back("weitere Tabellenwerte");
        }
        if (!what.empty())
            changes.push_back(
                {Area::Patterns, 0, name + " Adresse " + std::to_string(address), {}, joined(what), {}});
    }
}

} // namespace

std::string SettingsChange::text() const {
    if (before.empty() && (area == Area::Servo || area == Area::Patterns))
        return where + ": " + after + " geändert";
    std::string line = where + ": " + before + " → " + after;
    if (!problem.empty())
        line += " ⚠ " + problem + " (das Speichern lehnt diesen Wert ab)";
    return line;
}

std::vector<SettingsChange> settingsChanges(const Firmware& firmware, const FirmwareSettings& from,
                                            const FirmwareSettings& to) {
    const Recognition& recognition = firmware.recognition;
    std::vector<SettingsChange> changes;
    rowChanges(recognition, from, to, changes);
    if (const auto& extra = recognition.extra(); extra && from.extra != to.extra)
        changes.push_back({Area::Extra, 0, std::string{extra->caption}, from.extra.text(), to.extra.text(),
                           rangeProblem(recognition, to.extra, 0, extra->maximum)});
    if (from.servo && to.servo)
        servoChanges(*from.servo, *to.servo, changes);
    if (from.patterns && to.patterns)
        patternChanges(recognition.panel(), *from.patterns, *to.patterns, changes);
    if (from.neon && to.neon) {
        const std::tuple<const char*, std::optional<int>, std::optional<int>> values[] = {
            {"Licht-Stufe HELL", from.neon->hell, to.neon->hell},
            {"Licht-Stufe DUNKEL", from.neon->dunkel, to.neon->dunkel},
            {"Verzögerungs-Zeit", from.neon->delay, to.neon->delay}};
        for (const auto& [where, a, b] : values) {
            if (a != b)
                changes.push_back({Area::Neon, 0, where, numberOrDash(a), numberOrDash(b), {}});
        }
    }
    if (from.house && to.house && from.house->minimum != to.house->minimum)
        changes.push_back({Area::House,
                           0,
                           "Mindestanzahl",
                           numberOrDash(from.house->minimum),
                           numberOrDash(to.house->minimum),
                           {}});
    return changes;
}

} // namespace hq
