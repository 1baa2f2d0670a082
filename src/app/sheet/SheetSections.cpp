// The editor firmwares' sections of the settings sheet.

#include "sheet/SheetSections.h"

#include "QtText.h"
#include "light/PatternBank.h"
#include "servo/CurveSettings.h"
#include "servo/ServoAssignment.h"
#include "servo/ServoFlags.h"
#include "servo/ServoTiming.h"
#include "sheet/SheetDrawings.h"

#include <QPainter>

#include <algorithm>
#include <memory>

namespace sheet {

namespace {

const QString kDash = QStringLiteral("–");

QString yesNo(bool on) {
    return on ? QStringLiteral("ja") : QStringLiteral("nein");
}

QString itemText(int item, const char* prefix) {
    if (item < 0)
        return kDash;
    return QString::fromLatin1(prefix) + QString::number(item + 1);
}

QString storedValue(const std::optional<int>& value) {
    return value ? QString::number(*value) : QStringLiteral("keine gültige Zahl in der HEX-Datei");
}

} // namespace

void addServoSection(SheetBuilder& builder, const hq::ServoWorkingCopy& servo) {
    SheetPages& pages = builder.pages();
    builder.heading(QStringLiteral("Servo-Kurven"));
    for (int number = 1; number <= hq::kServoCurveCount; ++number) {
        const hq::CurveBlock curve = servo.data.curve(number);
        const int count = hq::clampedPointCount(curve);
        const int stretch = std::clamp(curve[hq::kCurveStretchEntry], 1, hq::kMaxStretch);
        const QString facts = QStringLiteral("Anzahl Punkte: %1 · Stretch: %2 · ").arg(count).arg(stretch) +
                              qs(hq::pointIntervalText(stretch)) + QStringLiteral(" · ") +
                              qs(hq::curveDurationText(count, stretch));
        const double mm = pages.mm(1);
        const QFont small = pages.font(FontRole::Small);
        builder.figure(
            QStringLiteral("Kurve %1").arg(number), facts, pages.mm(42),
            [=](QPainter& painter, const QRectF& r) { paintCurveDrawing(painter, r, curve, mm, small); });
    }

    builder.heading(QStringLiteral("Zuordnung"));
    std::vector<QStringList> assignments;
    for (int row = 1; row <= hq::kAssignmentRowCount; ++row) {
        const hq::AssignmentRow bytes = hq::assignmentRow(servo.data, row);
        const int action = hq::comboItem(hq::actionBitIndex(bytes.servoAction));
        const bool curveShown = hq::curveAndRelayShown(hq::actionBitIndex(bytes.servoAction));
        assignments.push_back(
            {QStringLiteral("a%1").arg(row),
             itemText(hq::comboItem(hq::servoBitIndex(bytes.servoAction)), "Servo "),
             action < 0 ? kDash : qs(hq::kActionNames[static_cast<std::size_t>(action)]),
             curveShown ? itemText(hq::comboItem(hq::curveBitIndex(bytes.curveRelay)), "Kurve ") : kDash,
             curveShown ? itemText(hq::comboItem(hq::relayBitIndex(bytes.curveRelay)), "Relais ") : kDash});
    }
    builder.table({QStringLiteral("Adresse"), QStringLiteral("Servo"), QStringLiteral("Aktion"),
                   QStringLiteral("Kurve"), QStringLiteral("Relais")},
                  {22, 30, 34, 30, 0}, assignments);

    builder.heading(QStringLiteral("Impulse"));
    std::vector<QStringList> timing;
    for (int number = 1; number <= hq::kServoCurveCount; ++number) {
        const int offset = servo.timing.offset(number);
        const int faktor = servo.timing.faktor(number);
        timing.push_back({QStringLiteral("Servo %1").arg(number),
                          qs(hq::pulseMillisecondsText(hq::minimumPulseUnits(offset), ",")),
                          qs(hq::pulseMillisecondsText(hq::maximumPulseUnits(offset, faktor), ",")),
                          QString::number(offset), QString::number(faktor)});
    }
    builder.table({QStringLiteral("Servo"), QStringLiteral("Offset [ms]"), QStringLiteral("Maximum [ms]"),
                   QStringLiteral("Offset-Byte"), QStringLiteral("Faktor-Byte")},
                  {22, 34, 34, 30, 0}, timing);

    builder.heading(QStringLiteral("Optionen"));
    QStringList flagHeaders{QStringLiteral("Servo")};
    for (hq::ServoFlag flag : hq::kServoFlags)
        flagHeaders << qs(hq::servoFlagCaption(flag));
    std::vector<QStringList> flags;
    for (int number = 1; number <= hq::kServoCurveCount; ++number) {
        const int flagByte = hq::servoFlagByte(servo.data, number);
        QStringList cells{QStringLiteral("Servo %1").arg(number)};
        for (hq::ServoFlag flag : hq::kServoFlags)
            cells << yesNo(hq::hasFlag(flagByte, flag));
        flags.push_back(cells);
    }
    builder.table(flagHeaders, {22, 36, 36, 44, 0}, flags);
}

void addPatternSection(SheetBuilder& builder, const hq::PatternSetting& setting, hq::Panel panel) {
    if (setting.layout == nullptr)
        return;
    SheetPages& pages = builder.pages();
    auto bank = std::make_shared<hq::PatternBank>(*setting.layout);
    bank->table() = setting.table;
    builder.heading(panel == hq::Panel::Led ? QStringLiteral("LED-Blinkmuster")
                                            : QStringLiteral("Blinkmuster"));
    const double mm = pages.mm(1);
    const QFont small = pages.font(FontRole::Small);
    for (int address = 1; address <= hq::kPatternAddresses; ++address) {
        const int count = bank->count(address);
        const int stretch = bank->stretch(address);
        const QString facts = QStringLiteral("Anzahl Punkte: %1 · Stretch-Faktor: %2 · Loop: %3 · ")
                                  .arg(count)
                                  .arg(stretch)
                                  .arg(yesNo(bank->loop(address))) +
                              qs(hq::timeGridText(stretch)) + QStringLiteral(" · ") +
                              qs(hq::totalTimeText(stretch, count));
        builder.figure(QStringLiteral("Adresse %1").arg(address), facts,
                       pages.mm(kPatternRowMm) * setting.layout->outputs,
                       [=](QPainter& painter, const QRectF& r) {
                           paintPatternDrawing(painter, r, *bank, address, mm, small);
                       });
    }
}

void addNeonSection(SheetBuilder& builder, const hq::NeonSetting& neon) {
    builder.heading(QStringLiteral("Neon-Werte"));
    builder.table({QStringLiteral("Wert"), QStringLiteral("Einstellung")}, {70, 0},
                  {{QStringLiteral("Licht-Stufe HELL (0..255)"), storedValue(neon.hell)},
                   {QStringLiteral("Licht-Stufe DUNKEL (0..255)"), storedValue(neon.dunkel)},
                   {QStringLiteral("Verzögerungs-Zeit (x 0.5 sec)"), storedValue(neon.delay)}});
}

void addHouseSection(SheetBuilder& builder, const hq::HouseSetting& house) {
    builder.heading(QStringLiteral("Hausbeleuchtung"));
    builder.table({QStringLiteral("Wert"), QStringLiteral("Einstellung")}, {70, 0},
                  {{QStringLiteral("Mindestanzahl (1..9)"), storedValue(house.minimum)}});
}

} // namespace sheet
