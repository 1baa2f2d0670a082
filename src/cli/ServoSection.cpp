// "servo": the servo firmware's working copy as its two panels show it, null for other kinds.
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
// max_ms are only shown. Only values that differ from those shown for the loaded file are taken (a
// missing key or null keeps the value), onto the curves as "program_table", taken first, left them,
// so both can be edited in one `show --json` output and the values here win where both change the
// same byte. Like "übernehmen", a changed copy is written into program blocks 3 and 4 and EEPROM
// bytes 96..103.

#include "CliFiles.h"
#include "EditorFields.h"
#include "JsonSection.h"
#include "JsonValues.h"
#include "servo/CurveTransform.h"
#include "servo/ServoAssignment.h"
#include "servo/ServoFlags.h"
#include "servo/ServoWorkingCopy.h"

#include <QJsonArray>

#include <algorithm>

namespace hq {

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
QJsonValue itemNumber(int bitIndex) {
    int item = comboItem(bitIndex);
    return item < 0 ? QJsonValue() : QJsonValue(item + 1);
}

QJsonValue actionName(int bitIndex) {
    int item = comboItem(bitIndex);
    return item < 0 ? QJsonValue() : QJsonValue(fromUtf8(kActionNames[static_cast<std::size_t>(item)]));
}

QJsonObject curveJson(const CurveBlock& block, int number) {
    QJsonObject flags;
    for (const FlagKey& flag : kFlagKeys)
        flags.insert(QString::fromUtf8(flag.key), hasFlag(block[kCurveFlagEntry], flag.flag));
    QJsonArray points;
    for (int i = 0; i < clampedPointCount(block); ++i) {
        const int entry = block[static_cast<std::size_t>(i)];
        points.append(QJsonObject{{QStringLiteral("position"), pointPosition(entry)},
                                  {QStringLiteral("relay"), pointRelay(entry)}});
    }
    return QJsonObject{{QStringLiteral("curve"), number},
                       {QStringLiteral("count"), block[kCurveCountEntry]},
                       {QStringLiteral("stretch"), block[kCurveStretchEntry]},
                       {QStringLiteral("flags"), flags},
                       {QStringLiteral("points"), points}};
}

QJsonObject assignmentJson(const AssignmentRow& row, int number) {
    return QJsonObject{{QStringLiteral("address"), number},
                       {QStringLiteral("servo"), itemNumber(servoBitIndex(row.servoAction))},
                       {QStringLiteral("action"), actionName(actionBitIndex(row.servoAction))},
                       {QStringLiteral("curve"), itemNumber(curveBitIndex(row.curveRelay))},
                       {QStringLiteral("relay"), itemNumber(relayBitIndex(row.curveRelay))}};
}

QJsonObject timingJson(const ServoTiming& timing, int servo) {
    const int offset = timing.offset(servo);
    const int faktor = timing.faktor(servo);
    return QJsonObject{
        {QStringLiteral("servo"), servo},
        {QStringLiteral("offset"), offset},
        {QStringLiteral("faktor"), faktor},
        {QStringLiteral("min_ms"), fromUtf8(pulseMillisecondsText(minimumPulseUnits(offset), "."))},
        {QStringLiteral("max_ms"), fromUtf8(pulseMillisecondsText(maximumPulseUnits(offset, faktor), "."))}};
}

QJsonValue show(const Firmware& firmware) {
    if (firmware.recognition.panel() != Panel::Servo)
        return QJsonValue(QJsonValue::Undefined);
    const ServoWorkingCopy copy = loadServoWorkingCopy(firmware.image, firmware.eeprom());
    QJsonArray curves;
    QJsonArray timings;
    for (int n = 1; n <= kServoCurveCount; ++n) {
        curves.append(curveJson(copy.data.curve(n), n));
        timings.append(timingJson(copy.timing, n));
    }
    QJsonArray assignments;
    for (int row = 1; row <= kAssignmentRowCount; ++row)
        assignments.append(assignmentJson(assignmentRow(copy.data, row), row));
    return QJsonObject{{QStringLiteral("curves"), curves},
                       {QStringLiteral("assignments"), assignments},
                       {QStringLiteral("timings"), timings}};
}

// Stores `wanted` clamped to lowest..highest unless it is the value shown for the loaded firmware.
void takeNumber(int& field, std::optional<int> wanted, int shown, int lowest, int highest) {
    if (wanted && *wanted != shown)
        field = std::clamp(*wanted, lowest, highest);
}

// The points up to the count; a point changes where it differs from the loaded one.
Status applyPoints(const QJsonObject& entry, const CurveBlock& shown, CurveBlock& block,
                   const QString& place) {
    auto points = listField(entry, "points", place);
    if (!points)
        return Error{points.message()};
    for (std::size_t i = 0; i < points->size(); ++i) {
        const int index = static_cast<int>(i);
        const QString pointPlace = QStringLiteral("Punkt %1 (gezählt ab 0) von ").arg(index) + place;
        const QJsonValue& value = (*points)[i];
        if (value.isNull())
            continue;
        if (!value.isObject())
            return Error{settingsProblem(pointPlace + QStringLiteral(" ist kein Objekt."))};
        auto position = integerField(value.toObject(), "position", pointPlace);
        if (!position)
            return Error{position.message()};
        auto relay = switchField(value.toObject(), "relay", pointPlace);
        if (!relay)
            return Error{relay.message()};
        if (index >= clampedPointCount(block))
            continue; // past the count: cut off
        if (*position && **position != pointPosition(shown[i]))
            setPointPosition(block, index, **position);
        if (*relay && **relay != pointRelay(shown[i]))
            setPointRelay(block, index, **relay);
    }
    return {};
}

Status applyCurves(const QJsonObject& servo, const ServoData& shown, ServoData& data) {
    auto entries = numberedEntries(servo, "curves", "curve", kServoCurveCount, QStringLiteral("\"servo\""));
    if (!entries)
        return Error{entries.message()};
    for (const NumberedEntry& entry : *entries) {
        const CurveBlock& before = shown.curve(entry.number);
        CurveBlock& block = data.curve(entry.number);
        const QString place = QStringLiteral("Kurve %1 in \"servo\"").arg(entry.number);
        auto count = integerField(entry.object, "count", place);
        if (!count)
            return Error{count.message()};
        auto stretch = integerField(entry.object, "stretch", place);
        if (!stretch)
            return Error{stretch.message()};
        auto flags = objectField(entry.object, "flags", place);
        if (!flags)
            return Error{flags.message()};
        takeNumber(block[kCurveCountEntry], *count, before[kCurveCountEntry], 1, kMaxCurvePoints);
        takeNumber(block[kCurveStretchEntry], *stretch, before[kCurveStretchEntry], 1, kMaxStretch);

        if (*flags) {
            const QString flagPlace = QStringLiteral("\"flags\" von ") + place;
            for (const FlagKey& flag : kFlagKeys) {
                auto on = switchField(**flags, flag.key, flagPlace);
                if (!on)
                    return Error{on.message()};
                if (*on && **on != hasFlag(before[kCurveFlagEntry], flag.flag))
                    block[kCurveFlagEntry] = withFlag(block[kCurveFlagEntry], flag.flag, **on);
            }
        }
        if (Status taken = applyPoints(entry.object, before, block, place); !taken)
            return taken;
    }
    return {};
}

// servo, curve or relay: 1..4 chooses the item; null or a missing key keeps the byte.
Result<std::optional<int>> itemField(const QJsonObject& row, const char* key, const QString& place) {
    auto number = integerField(row, key, place);
    if (number && *number && (**number < 1 || **number > kAssignmentItemCount)) {
        return Error{settingsProblem(QStringLiteral("\"%1\" von ").arg(QString::fromUtf8(key)) + place +
                                     QStringLiteral(" muss 1 bis 4 oder null sein."))};
    }
    return number;
}

Result<std::optional<int>> actionField(const QJsonObject& row, const QString& place) {
    auto name = textField(row, "action", place);
    if (!name)
        return Error{name.message()};
    if (!*name)
        return std::optional<int>{};
    for (std::size_t i = 0; i < kActionNames.size(); ++i) {
        if (**name == fromUtf8(kActionNames[i]))
            return std::optional<int>{static_cast<int>(i) + 1};
    }
    return Error{settingsProblem(
        QStringLiteral("\"action\" von ") + place +
        QStringLiteral(" muss \"Start\", \"Start Loop\", \"Abbruch\", \"Beenden\" oder null sein."))};
}

// Writes the item (1..4) into its byte unless the loaded row shows it.
void takeItem(int& byte, std::optional<int> wanted, int shownBitIndex, int (*withItem)(int, int)) {
    if (wanted && *wanted - 1 != comboItem(shownBitIndex))
        byte = withItem(byte, *wanted - 1);
}

Status applyAssignments(const QJsonObject& servo, const ServoData& shown, ServoData& data) {
    auto entries =
        numberedEntries(servo, "assignments", "address", kAssignmentRowCount, QStringLiteral("\"servo\""));
    if (!entries)
        return Error{entries.message()};
    for (const NumberedEntry& entry : *entries) {
        const QString place = QStringLiteral("Zeile a%1 in \"servo\"").arg(entry.number);
        auto servoItem = itemField(entry.object, "servo", place);
        if (!servoItem)
            return Error{servoItem.message()};
        auto action = actionField(entry.object, place);
        if (!action)
            return Error{action.message()};
        auto curve = itemField(entry.object, "curve", place);
        if (!curve)
            return Error{curve.message()};
        auto relay = itemField(entry.object, "relay", place);
        if (!relay)
            return Error{relay.message()};

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

Status applyTimings(const QJsonObject& section, const ServoTiming& shown, ServoTiming& timing) {
    auto entries =
        numberedEntries(section, "timings", "servo", kServoCurveCount, QStringLiteral("\"servo\""));
    if (!entries)
        return Error{entries.message()};
    for (const NumberedEntry& entry : *entries) {
        const int servo = entry.number;
        const QString place = QStringLiteral("Servo %1 in \"servo\"").arg(servo);
        auto offset = integerField(entry.object, "offset", place);
        if (!offset)
            return Error{offset.message()};
        auto faktor = integerField(entry.object, "faktor", place);
        if (!faktor)
            return Error{faktor.message()};
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
Status apply(const QJsonValue& value, SettingsTarget& target) {
    Firmware& firmware = target.firmware;
    if (value.isNull() || firmware.recognition.panel() != Panel::Servo)
        return {};
    auto servo = sectionObject(value, "servo");
    if (!servo)
        return Error{servo.message()};
    const ServoWorkingCopy shown = loadServoWorkingCopy(target.loaded.image, target.loaded.eeprom());
    const ServoWorkingCopy before = loadServoWorkingCopy(firmware.image, firmware.eeprom());
    ServoWorkingCopy copy = before;
    if (Status taken = applyCurves(*servo, shown.data, copy.data); !taken)
        return taken;
    if (Status taken = applyAssignments(*servo, shown.data, copy.data); !taken)
        return taken;
    if (Status taken = applyTimings(*servo, shown.timing, copy.timing); !taken)
        return taken;
    // "übernehmen" is enabled only after a change.
    if (copy == before)
        return {};
    return storeServoWorkingCopy(copy, firmware.image, firmware.eeprom());
}

} // namespace

const JsonSection& servoSection() {
    static const JsonSection section{"servo", show, apply};
    return section;
}

} // namespace hq
