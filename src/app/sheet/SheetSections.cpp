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

// "Anzahl Punkte: 17 · Stretch: 9 · Zeit zwischen 2 Punkten = … · Gesamtzeit für diese Kurve = …".
QString curveFacts(const hq::CurveBlock& curve) {
    const int count = hq::clampedPointCount(curve);
    const int stretch = std::clamp(curve[hq::kCurveStretchEntry], 1, hq::kMaxStretch);
    return QStringLiteral("Anzahl Punkte: %1 · Stretch: %2 · ").arg(count).arg(stretch) +
           qs(hq::pointIntervalText(stretch)) + QStringLiteral(" · ") +
           qs(hq::curveDurationText(count, stretch));
}

std::vector<QStringList> assignmentRows(const hq::ServoData& data) {
    std::vector<QStringList> rows;
    for (int row = 1; row <= hq::kAssignmentRowCount; ++row) {
        const hq::AssignmentRow bytes = hq::assignmentRow(data, row);
        const int action = hq::comboItem(hq::actionBitIndex(bytes.servoAction));
        const bool curveShown = hq::curveAndRelayShown(hq::actionBitIndex(bytes.servoAction));
        rows.push_back(
            {QStringLiteral("a%1").arg(row),
             itemText(hq::comboItem(hq::servoBitIndex(bytes.servoAction)), "Servo "),
             action < 0 ? kDash : qs(hq::kActionNames[static_cast<std::size_t>(action)]),
             curveShown ? itemText(hq::comboItem(hq::curveBitIndex(bytes.curveRelay)), "Kurve ") : kDash,
             curveShown ? itemText(hq::comboItem(hq::relayBitIndex(bytes.curveRelay)), "Relais ") : kDash});
    }
    return rows;
}

std::vector<QStringList> timingRows(const hq::ServoTiming& timing) {
    std::vector<QStringList> rows;
    for (int number = 1; number <= hq::kServoCurveCount; ++number) {
        const int offset = timing.offset(number);
        const int faktor = timing.faktor(number);
        rows.push_back({QStringLiteral("Servo %1").arg(number),
                        qs(hq::pulseMillisecondsText(hq::minimumPulseUnits(offset), ",")),
                        qs(hq::pulseMillisecondsText(hq::maximumPulseUnits(offset, faktor), ",")),
                        QString::number(offset), QString::number(faktor)});
    }
    return rows;
}

std::vector<QStringList> flagRows(const hq::ServoData& data) {
    std::vector<QStringList> rows;
    for (int number = 1; number <= hq::kServoCurveCount; ++number) {
        const int flagByte = hq::servoFlagByte(data, number);
        QStringList cells{QStringLiteral("Servo %1").arg(number)};
        for (hq::ServoFlag flag : hq::kServoFlags)
            cells << yesNo(hq::hasFlag(flagByte, flag));
        rows.push_back(cells);
    }
    return rows;
}

bool flagBytesDiffer(const hq::ServoData& a, const hq::ServoData& b) {
    for (int number = 1; number <= hq::kServoCurveCount; ++number) {
        if (hq::servoFlagByte(a, number) != hq::servoFlagByte(b, number))
            return true;
    }
    return false;
}

// Under a changed section's first heading: every difference from the file, as the take-over list
// words it, so that the file's values stand on the sheet as well.
void changeList(SheetBuilder& builder, const QStringList& changes) {
    if (!changes.isEmpty())
        builder.paragraph(QStringLiteral("Nicht gespeichert: ") + changes.join(QStringLiteral("; ")),
                          FontRole::Small, kChangedColour, true);
}

QString patternFacts(const hq::PatternBank& bank, int address) {
    const int count = bank.count(address);
    const int stretch = bank.stretch(address);
    return QStringLiteral("Anzahl Punkte: %1 · Stretch-Faktor: %2 · Loop: %3 · ")
               .arg(count)
               .arg(stretch)
               .arg(yesNo(bank.loop(address))) +
           qs(hq::timeGridText(stretch)) + QStringLiteral(" · ") + qs(hq::totalTimeText(stretch, count));
}

// The table entries of one address differ; only the entries the firmware stores count.
bool patternBlockDiffers(const hq::PatternSetting& a, const hq::PatternSetting& b, int address) {
    const hq::PatternLayout& layout = *a.layout;
    const int stored = layout.programBlocks * 256 - (layout.shortBlock1 ? 1 : 0);
    const int first = (address - 1) * layout.blockSize;
    const int last = std::min(address * layout.blockSize, stored);
    for (int entry = first; entry < last; ++entry) {
        if (a.table[static_cast<std::size_t>(entry)] != b.table[static_cast<std::size_t>(entry)])
            return true;
    }
    return false;
}

// The facts line of a figure, with the file's facts after it where they differ.
QString factsAgainstFile(const QString& facts, const std::optional<QString>& fileFacts) {
    if (!fileFacts || *fileFacts == facts)
        return facts;
    return facts + u'\n' + fileValueText(*fileFacts);
}

} // namespace

void addServoSection(SheetBuilder& builder, const hq::ServoWorkingCopy& servo, const SheetMarks& marks) {
    SheetPages& pages = builder.pages();
    const hq::ServoWorkingCopy* file = marks.unsaved && marks.file.servo ? &*marks.file.servo : nullptr;
    bool curvesChanged = false;
    for (int number = 1; file && number <= hq::kServoCurveCount; ++number)
        curvesChanged = curvesChanged || servo.data.curve(number) != file->data.curve(number);
    builder.heading(QStringLiteral("Servo-Kurven"), curvesChanged);
    changeList(builder, marks.servoChanges);
    for (int number = 1; number <= hq::kServoCurveCount; ++number) {
        const hq::CurveBlock curve = servo.data.curve(number);
        const std::optional<QString> fileFacts =
            file ? std::optional<QString>(curveFacts(file->data.curve(number))) : std::nullopt;
        const double mm = pages.mm(1);
        const QFont small = pages.font(FontRole::Small);
        builder.figure(
            QStringLiteral("Kurve %1").arg(number), factsAgainstFile(curveFacts(curve), fileFacts),
            pages.mm(42),
            [=](QPainter& painter, const QRectF& r) { paintCurveDrawing(painter, r, curve, mm, small); },
            file && curve != file->data.curve(number));
    }

    const std::vector<QStringList> assignments = assignmentRows(servo.data);
    const std::vector<QStringList> fileAssignments = file ? assignmentRows(file->data) : assignments;
    builder.heading(QStringLiteral("Zuordnung"), assignments != fileAssignments);
    builder.table({QStringLiteral("Adresse"), QStringLiteral("Servo"), QStringLiteral("Aktion"),
                   QStringLiteral("Kurve"), QStringLiteral("Relais")},
                  {22, 30, 34, 30, 0}, assignments, &fileAssignments);

    const std::vector<QStringList> timing = timingRows(servo.timing);
    const std::vector<QStringList> fileTiming = file ? timingRows(file->timing) : timing;
    builder.heading(QStringLiteral("Impulse"), timing != fileTiming);
    builder.table({QStringLiteral("Servo"), QStringLiteral("Offset [ms]"), QStringLiteral("Maximum [ms]"),
                   QStringLiteral("Offset-Byte"), QStringLiteral("Faktor-Byte")},
                  {22, 34, 34, 30, 0}, timing, &fileTiming);

    QStringList flagHeaders{QStringLiteral("Servo")};
    for (hq::ServoFlag flag : hq::kServoFlags)
        flagHeaders << qs(hq::servoFlagCaption(flag));
    const std::vector<QStringList> flags = flagRows(servo.data);
    const std::vector<QStringList> fileFlags = file ? flagRows(file->data) : flags;
    builder.heading(QStringLiteral("Optionen"), file && flagBytesDiffer(servo.data, file->data));
    builder.table(flagHeaders, {22, 36, 36, 44, 0}, flags, &fileFlags);
}

void addPatternSection(SheetBuilder& builder, const hq::PatternSetting& setting, hq::Panel panel,
                       const SheetMarks& marks) {
    if (setting.layout == nullptr)
        return;
    SheetPages& pages = builder.pages();
    const hq::PatternSetting* file =
        marks.unsaved && marks.file.patterns && marks.file.patterns->layout == setting.layout
            ? &*marks.file.patterns
            : nullptr;
    auto bank = std::make_shared<hq::PatternBank>(*setting.layout);
    bank->table() = setting.table;
    std::optional<hq::PatternBank> fileBank;
    if (file) {
        fileBank.emplace(*file->layout);
        fileBank->table() = file->table;
    }
    builder.heading(panel == hq::Panel::Led ? QStringLiteral("LED-Blinkmuster")
                                            : QStringLiteral("Blinkmuster"),
                    file && !(setting == *file));
    changeList(builder, marks.patternChanges);
    const double mm = pages.mm(1);
    const QFont small = pages.font(FontRole::Small);
    for (int address = 1; address <= hq::kPatternAddresses; ++address) {
        const std::optional<QString> fileFacts =
            fileBank ? std::optional<QString>(patternFacts(*fileBank, address)) : std::nullopt;
        builder.figure(
            QStringLiteral("Adresse %1").arg(address),
            factsAgainstFile(patternFacts(*bank, address), fileFacts),
            pages.mm(kPatternRowMm) * setting.layout->outputs,
            [=](QPainter& painter, const QRectF& r) {
                paintPatternDrawing(painter, r, *bank, address, mm, small);
            },
            file && patternBlockDiffers(setting, *file, address));
    }
}

namespace {

std::vector<QStringList> neonRows(const hq::NeonSetting& neon) {
    return {{QStringLiteral("Licht-Stufe HELL (0..255)"), storedValue(neon.hell)},
            {QStringLiteral("Licht-Stufe DUNKEL (0..255)"), storedValue(neon.dunkel)},
            {QStringLiteral("Verzögerungs-Zeit (x 0.5 sec)"), storedValue(neon.delay)}};
}

} // namespace

void addNeonSection(SheetBuilder& builder, const hq::NeonSetting& neon, const SheetMarks& marks) {
    const std::vector<QStringList> rows = neonRows(neon);
    const std::vector<QStringList> fileRows = marks.file.neon ? neonRows(*marks.file.neon) : rows;
    builder.heading(QStringLiteral("Neon-Werte"), rows != fileRows);
    builder.table({QStringLiteral("Wert"), QStringLiteral("Einstellung")}, {70, 0}, rows, &fileRows);
    if (marks.hell)
        builder.paragraph(QStringLiteral("⚠ ") + qs(marks.hell->message) +
                              QStringLiteral(" „HEX speichern“ fragt vor dem Schreiben nach."),
                          FontRole::Small, kWarningColour);
}

void addHouseSection(SheetBuilder& builder, const hq::HouseSetting& house, const SheetMarks& marks) {
    const std::vector<QStringList> rows{{QStringLiteral("Mindestanzahl (1..9)"), storedValue(house.minimum)}};
    const std::vector<QStringList> fileRows =
        marks.file.house ? std::vector<QStringList>{{rows[0][0], storedValue(marks.file.house->minimum)}}
                         : rows;
    builder.heading(QStringLiteral("Hausbeleuchtung"), rows != fileRows);
    builder.table({QStringLiteral("Wert"), QStringLiteral("Einstellung")}, {70, 0}, rows, &fileRows);
}

} // namespace sheet
