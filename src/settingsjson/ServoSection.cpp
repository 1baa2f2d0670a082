// "servo": the servo firmware's working copy as its two panels show it, absent for other kinds.
//
//   {"curves": [{"curve": 1, "count": 10, "stretch": 10,
//                "flags": {"spannung_aus": false, "impulse_aus": false,
//                          "keine_unterbrechung": false, "keine_wiederholung": false},
//                "points": [{"position": 0, "relay": false}, ... one per point of the count]}, ... 4],
//    "assignments": [{"address": 1, "servo": 1, "action": "Start", "curve": 1, "relay": 1}, ... 8],
//    "timings": [{"servo": 1, "offset": 125, "faktor": 0, "min_ms": "1.000", "max_ms": "2.016"}, ... 4]}
//
// The flags of curve N are those of servo N. servo, curve and relay are 1..4 and action one of "Start",
// "Start Loop", "Abbruch", "Beenden"; each is null when the byte selects no item.
//
// `apply` takes the values as the editor does: count clamped to 1..100, stretch to 1..200, positions
// to 0..127, offset to 50..255, faktor to 0..255; points past the count are passed over; min_ms and
// max_ms are only shown. Only values that differ from those shown are taken (a missing key or null
// keeps the value), onto the curves as "program_table", taken first, left them, so both can be edited
// in one `show --json` output and the values here win where both change the same byte. Saving writes
// a changed copy into program blocks 3 and 4 and EEPROM bytes 96..103, as "übernehmen" does.

#include "EditorFields.h"
#include "JsonSection.h"
#include "servo/CurveTransform.h"
#include "servo/ServoAssignment.h"
#include "servo/ServoFlags.h"
#include "servo/ServoWorkingCopy.h"

#include <algorithm>

namespace hq {

namespace servo_json {
namespace {

struct FlagKey {
    ServoFlag flag;
    const char* key;
};

constexpr FlagKey kFlagKeys[] = {{ServoFlag::VoltageOff, "spannung_aus"},
                                 {ServoFlag::PulsesOff, "impulse_aus"},
                                 {ServoFlag::NoInterruption, "keine_unterbrechung"},
                                 {ServoFlag::NoRepetition, "keine_wiederholung"}};

// The combo-box item (0..3) as its number 1..4, null for none.
Json itemNumber(int bitIndex) {
    int item = comboItem(bitIndex);
    return item < 0 ? Json() : Json(item + 1);
}

Json actionName(int bitIndex) {
    int item = comboItem(bitIndex);
    return item < 0 ? Json() : Json(std::string{kActionNames[static_cast<std::size_t>(item)]});
}

Json curveJson(const CurveBlock& block, int number) {
    Json flags = Json::object();
    for (const FlagKey& flag : kFlagKeys)
        flags[flag.key] = hasFlag(block[kCurveFlagEntry], flag.flag);
    Json points = Json::array();
    for (int i = 0; i < clampedPointCount(block); ++i) {
        const int entry = block[static_cast<std::size_t>(i)];
        points.push_back(Json{{"position", pointPosition(entry)}, {"relay", pointRelay(entry)}});
    }
    return Json{{"curve", number},
                {"count", block[kCurveCountEntry]},
                {"stretch", block[kCurveStretchEntry]},
                {"flags", flags},
                {"points", points}};
}

Json assignmentJson(const AssignmentRow& row, int number) {
    return Json{{"address", number},
                {"servo", itemNumber(servoBitIndex(row.servoAction))},
                {"action", actionName(actionBitIndex(row.servoAction))},
                {"curve", itemNumber(curveBitIndex(row.curveRelay))},
                {"relay", itemNumber(relayBitIndex(row.curveRelay))}};
}

Json timingJson(const ServoTiming& timing, int servo) {
    const int offset = timing.offset(servo);
    const int faktor = timing.faktor(servo);
    return Json{{"servo", servo},
                {"offset", offset},
                {"faktor", faktor},
                {"min_ms", pulseMillisecondsText(minimumPulseUnits(offset), ".")},
                {"max_ms", pulseMillisecondsText(maximumPulseUnits(offset, faktor), ".")}};
}

std::optional<Json> show(const ShowSource& source) {
    if (source.firmware.recognition.panel() != Panel::Servo || !source.settings.servo)
        return std::nullopt;
    const ServoWorkingCopy& copy = *source.settings.servo;
    Json curves = Json::array();
    Json timings = Json::array();
    for (int n = 1; n <= kServoCurveCount; ++n) {
        curves.push_back(curveJson(copy.data.curve(n), n));
        timings.push_back(timingJson(copy.timing, n));
    }
    Json assignments = Json::array();
    for (int row = 1; row <= kAssignmentRowCount; ++row)
        assignments.push_back(assignmentJson(assignmentRow(copy.data, row), row));
    return Json{{"curves", curves}, {"assignments", assignments}, {"timings", timings}};
}

// Stores `wanted` clamped to lowest..highest unless it is the value shown.
void takeNumber(int& field, std::optional<int> wanted, int shown, int lowest, int highest) {
    if (wanted && *wanted != shown)
        field = std::clamp(*wanted, lowest, highest);
}

// The points up to the count; a point changes where it differs from the one shown.
Status applyPoints(const Json& entry, const CurveBlock& shown, CurveBlock& block, const std::string& place) {
    auto points = listField(entry, "points", place);
    if (!points)
        return points.error();
    for (std::size_t i = 0; i < points->size(); ++i) {
        const int index = static_cast<int>(i);
        const std::string pointPlace = "Punkt " + std::to_string(index) + " (gezählt ab 0) von " + place;
        const Json& value = *(*points)[i];
        if (value.is_null())
            continue;
        if (!value.is_object())
            return settingsError(pointPlace + " ist kein Objekt.");
        auto position = integerField(value, "position", pointPlace);
        if (!position)
            return position.error();
        auto relay = switchField(value, "relay", pointPlace);
        if (!relay)
            return relay.error();
        if (index >= clampedPointCount(block))
            continue; // past the count: cut off
        if (*position && **position != pointPosition(shown[i]))
            setPointPosition(block, index, **position);
        if (*relay && **relay != pointRelay(shown[i]))
            setPointRelay(block, index, **relay);
    }
    return {};
}

Status applyCurves(const Json& servo, const ServoData& shown, ServoData& data) {
    auto entries = numberedEntries(servo, "curves", "curve", kServoCurveCount, "\"servo\"");
    if (!entries)
        return entries.error();
    for (const NumberedEntry& entry : *entries) {
        const CurveBlock& before = shown.curve(entry.number);
        CurveBlock& block = data.curve(entry.number);
        const std::string place = "Kurve " + std::to_string(entry.number) + " in \"servo\"";
        auto count = integerField(*entry.object, "count", place);
        if (!count)
            return count.error();
        auto stretch = integerField(*entry.object, "stretch", place);
        if (!stretch)
            return stretch.error();
        auto flags = objectField(*entry.object, "flags", place);
        if (!flags)
            return flags.error();
        takeNumber(block[kCurveCountEntry], *count, before[kCurveCountEntry], 1, kMaxCurvePoints);
        takeNumber(block[kCurveStretchEntry], *stretch, before[kCurveStretchEntry], 1, kMaxStretch);

        if (*flags) {
            const std::string flagPlace = "\"flags\" von " + place;
            for (const FlagKey& flag : kFlagKeys) {
                auto on = switchField(**flags, flag.key, flagPlace);
                if (!on)
                    return on.error();
                if (*on && **on != hasFlag(before[kCurveFlagEntry], flag.flag))
                    block[kCurveFlagEntry] = withFlag(block[kCurveFlagEntry], flag.flag, **on);
            }
        }
        if (Status taken = applyPoints(*entry.object, before, block, place); !taken)
            return taken;
    }
    return {};
}

// servo, curve or relay: 1..4 chooses the item; null or a missing key keeps the byte.
Result<std::optional<int>> itemField(const Json& row, const char* key, const std::string& place) {
    auto number = integerField(row, key, place);
    if (number && *number && (**number < 1 || **number > kAssignmentItemCount))
        return settingsError(quotedKey(key) + " von " + place + " muss 1 bis 4 oder null sein.");
    return number;
}

Result<std::optional<int>> actionField(const Json& row, const std::string& place) {
    auto name = textField(row, "action", place);
    if (!name)
        return name.error();
    if (!*name)
        return std::optional<int>{};
    for (std::size_t i = 0; i < kActionNames.size(); ++i) {
        if (**name == kActionNames[i])
            return std::optional<int>{static_cast<int>(i) + 1};
    }
    return settingsError("\"action\" von " + place +
                         " muss \"Start\", \"Start Loop\", \"Abbruch\", \"Beenden\" oder null sein.");
}

// Writes the item (1..4) into its byte unless the row shown has it.
void takeItem(int& byte, std::optional<int> wanted, int shownBitIndex, int (*withItem)(int, int)) {
    if (wanted && *wanted - 1 != comboItem(shownBitIndex))
        byte = withItem(byte, *wanted - 1);
}

Status applyAssignments(const Json& servo, const ServoData& shown, ServoData& data) {
    auto entries = numberedEntries(servo, "assignments", "address", kAssignmentRowCount, "\"servo\"");
    if (!entries)
        return entries.error();
    for (const NumberedEntry& entry : *entries) {
        const std::string place = "Zeile a" + std::to_string(entry.number) + " in \"servo\"";
        auto servoItem = itemField(*entry.object, "servo", place);
        if (!servoItem)
            return servoItem.error();
        auto action = actionField(*entry.object, place);
        if (!action)
            return action.error();
        auto curve = itemField(*entry.object, "curve", place);
        if (!curve)
            return curve.error();
        auto relay = itemField(*entry.object, "relay", place);
        if (!relay)
            return relay.error();

        const AssignmentRow before = assignmentRow(shown, entry.number);
        AssignmentRow row = assignmentRow(data, entry.number);
        takeItem(row.servoAction, *servoItem, servoBitIndex(before.servoAction), withServoItem);
        takeItem(row.servoAction, *action, actionBitIndex(before.servoAction), withActionItem);
        takeItem(row.curveRelay, *curve, curveBitIndex(before.curveRelay), withCurveItem);
        takeItem(row.curveRelay, *relay, relayBitIndex(before.curveRelay), withRelayItem);
        setAssignmentRow(data, entry.number, row);
    }
    return {};
}

Status applyTimings(const Json& section, const ServoTiming& shown, ServoTiming& timing) {
    auto entries = numberedEntries(section, "timings", "servo", kServoCurveCount, "\"servo\"");
    if (!entries)
        return entries.error();
    for (const NumberedEntry& entry : *entries) {
        const int servo = entry.number;
        const std::string place = "Servo " + std::to_string(servo) + " in \"servo\"";
        auto offset = integerField(*entry.object, "offset", place);
        if (!offset)
            return offset.error();
        auto faktor = integerField(*entry.object, "faktor", place);
        if (!faktor)
            return faktor.error();
        int offsetByte = timing.offset(servo);
        int faktorByte = timing.faktor(servo);
        takeNumber(offsetByte, *offset, shown.offset(servo), kMinServoOffset, kMaxServoOffset);
        takeNumber(faktorByte, *faktor, shown.faktor(servo), 0, 255);
        timing.setOffset(servo, offsetByte);
        timing.setFaktor(servo, faktorByte);
    }
    return {};
}

// Values for a kind without the servo editor are passed over, as the window has no editor for them.
Status apply(const Json& value, SettingsTarget& target) {
    if (value.is_null() || target.firmware.recognition.panel() != Panel::Servo || !target.settings.servo ||
        !target.base.servo)
        return {};
    auto servo = sectionObject(value, "servo");
    if (!servo)
        return servo.error();
    const ServoWorkingCopy& shown = *target.base.servo;
    ServoWorkingCopy copy = *target.settings.servo;
    if (Status taken = applyCurves(**servo, shown.data, copy.data); !taken)
        return taken;
    if (Status taken = applyAssignments(**servo, shown.data, copy.data); !taken)
        return taken;
    if (Status taken = applyTimings(**servo, shown.timing, copy.timing); !taken)
        return taken;
    *target.settings.servo = copy;
    return {};
}

} // namespace
} // namespace servo_json

const JsonSection& servoSection() {
    static const JsonSection section{"servo", servo_json::show, servo_json::apply};
    return section;
}

} // namespace hq
