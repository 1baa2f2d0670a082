#include "ServoEdits.h"

#include "FirmwareDocument.h"
#include "servo/CurveFile.h"
#include "servo/CurveGenerator.h"
#include "servo/CurveTransform.h"
#include "servo/ServoTiming.h"

#include <algorithm>

namespace {

using State = DocumentState;

// What is typed into one field merges into one step: count and stretch of curve c have keys 1000 +
// 10 c + 1 and + 2 (the grid's keys are below 300).
constexpr int kCurveEntry = 1000;
constexpr int kCountField = 1;
constexpr int kStretchField = 2;

int curveEntry(int curve, int field) {
    return kCurveEntry + 10 * curve + field;
}

bool isCurve(int curve) {
    return curve >= 1 && curve <= hq::kServoCurveCount;
}

bool isPoint(int point) {
    return point >= 0 && point < hq::kMaxCurvePoints;
}

const hq::ServoWorkingCopy& noCurves() {
    static const hq::ServoWorkingCopy none;
    return none;
}

QString shapeCaption(hq::CurveShape shape) {
    switch (shape) {
    case hq::CurveShape::Linear:
        return QStringLiteral("Lin");
    case hq::CurveShape::Logarithmic:
        return QStringLiteral("Log");
    case hq::CurveShape::QuarterSine:
        return QStringLiteral("1/4 Sin");
    case hq::CurveShape::HalfSine:
        break;
    }
    return QStringLiteral("1/2 Sin");
}

// A typed count or stretch as stored: a number brought into 1..`highest`, nothing for other text.
std::optional<int> clampedEntry(const hq::FieldValue& value, int highest) {
    if (const std::optional<int> number = value.number())
        return std::clamp(*number, 1, highest);
    return std::nullopt;
}

} // namespace

bool ServoEdits::hasCurves() const {
    return document_.state().servo.has_value();
}

const hq::ServoWorkingCopy& ServoEdits::copy(Copy which) const {
    const auto& copy = which == Copy::Shown ? document_.state().servo : document_.fileSettings().servo;
    return copy ? *copy : noCurves();
}

const hq::CurveBlock& ServoEdits::curve(int curve, Copy which) const {
    return copy(which).data.curve(std::clamp(curve, 1, hq::kServoCurveCount));
}

int ServoEdits::pointCount(int curve) const {
    return hq::clampedPointCount(this->curve(curve));
}

int ServoEdits::storedCount(int curve) const {
    return this->curve(curve)[hq::kCurveCountEntry];
}

int ServoEdits::stretch(int curve) const {
    return this->curve(curve)[hq::kCurveStretchEntry];
}

int ServoEdits::position(int curve, int point) const {
    return isPoint(point) ? hq::pointPosition(this->curve(curve)[static_cast<std::size_t>(point)]) : 0;
}

bool ServoEdits::isRelayOn(int curve, int point) const {
    return isPoint(point) && hq::pointRelay(this->curve(curve)[static_cast<std::size_t>(point)]);
}

bool ServoEdits::curveDiffersFromFile(int curve) const {
    const hq::CurveBlock& shown = this->curve(curve);
    const hq::CurveBlock& file = this->curve(curve, Copy::File);
    return !std::equal(shown.begin(), shown.begin() + hq::kMaxCurvePoints, file.begin()) ||
           shown[hq::kCurveCountEntry] != file[hq::kCurveCountEntry] ||
           shown[hq::kCurveStretchEntry] != file[hq::kCurveStretchEntry];
}

hq::AssignmentRow ServoEdits::assignment(int row, Copy which) const {
    return hq::assignmentRow(copy(which).data, std::clamp(row, 1, hq::kAssignmentRowCount));
}

int ServoEdits::offset(int servo, Copy which) const {
    return copy(which).timing.offset(std::clamp(servo, 1, hq::kServoCurveCount));
}

int ServoEdits::faktor(int servo, Copy which) const {
    return copy(which).timing.faktor(std::clamp(servo, 1, hq::kServoCurveCount));
}

bool ServoEdits::flag(int servo, hq::ServoFlag flag, Copy which) const {
    return hq::hasFlag(hq::servoFlagByte(copy(which).data, std::clamp(servo, 1, hq::kServoCurveCount)), flag);
}

bool ServoEdits::hasPendingChanges() const {
    const State& state = document_.state();
    return state.servo != state.edited.servo;
}

void ServoEdits::change(const QString& text, const std::function<void(hq::ServoWorkingCopy&)>& edit,
                        int mergeKey) {
    document_.edit(
        text,
        [&edit](State& state) {
            if (state.servo)
                edit(*state.servo);
        },
        mergeKey);
}

void ServoEdits::beginStroke(int curve, Track track) {
    strokeText_ = track == Track::Positions ? QObject::tr("Kurve %1 gezeichnet").arg(curve)
                                            : QObject::tr("Relais von Kurve %1 gezeichnet").arg(curve);
    document_.beginStroke();
}

void ServoEdits::draw(int curve, int point, const std::function<void(hq::CurveBlock&)>& edit,
                      const QString& text) {
    if (!isCurve(curve) || !isPoint(point))
        return;
    if (!document_.inStroke()) {
        change(text, [curve, &edit](hq::ServoWorkingCopy& copy) { edit(copy.data.curve(curve)); });
        return;
    }
    // A mouse move changes one byte: changed in place and named, not copied and compared.
    document_.strokeDraw([curve, point, &edit](State& state) {
        if (!state.servo)
            return DocumentChange();
        hq::CurveBlock& block = state.servo->data.curve(curve);
        const int before = block[static_cast<std::size_t>(point)];
        edit(block);
        const int differing = block[static_cast<std::size_t>(point)] ^ before;
        if (differing == 0)
            return DocumentChange();
        return DocumentChange::servoPointsDrawn(
            curve, {point, point, (differing & hq::kPositionMask) != 0, (differing & hq::kRelayBit) != 0});
    });
}

void ServoEdits::setPosition(int curve, int point, int position) {
    draw(
        curve, point,
        [point, position](hq::CurveBlock& block) { hq::setPointPosition(block, point, position); },
        QObject::tr("Kurve %1 gezeichnet").arg(curve));
}

void ServoEdits::setRelay(int curve, int point, bool on) {
    draw(
        curve, point, [point, on](hq::CurveBlock& block) { hq::setPointRelay(block, point, on); },
        QObject::tr("Relais von Kurve %1 gezeichnet").arg(curve));
}

void ServoEdits::endStroke() {
    document_.endStroke(strokeText_);
}

void ServoEdits::setCount(int curve, const hq::FieldValue& value) {
    const std::optional<int> count = clampedEntry(value, hq::kMaxCurvePoints);
    if (!count || !isCurve(curve))
        return;
    change(
        QObject::tr("Anzahl von Kurve %1").arg(curve),
        [curve, count](hq::ServoWorkingCopy& copy) { copy.data.curve(curve)[hq::kCurveCountEntry] = *count; },
        curveEntry(curve, kCountField));
}

void ServoEdits::setStretch(int curve, const hq::FieldValue& value) {
    const std::optional<int> stretch = clampedEntry(value, hq::kMaxStretch);
    if (!stretch || !isCurve(curve))
        return;
    change(
        QObject::tr("Stretch von Kurve %1").arg(curve),
        [curve, stretch](hq::ServoWorkingCopy& copy) {
            copy.data.curve(curve)[hq::kCurveStretchEntry] = *stretch;
        },
        curveEntry(curve, kStretchField));
}

void ServoEdits::generate(int curve, hq::CurveShape shape) {
    if (!isCurve(curve))
        return;
    change(QObject::tr("Kurve %1: %2").arg(curve).arg(shapeCaption(shape)),
           [curve, shape](hq::ServoWorkingCopy& copy) { hq::generateCurve(copy.data.curve(curve), shape); });
}

void ServoEdits::mirror(int curve, Mirror mirror) {
    if (!isCurve(curve))
        return;
    const bool vertical = mirror == Mirror::Vertical;
    change(vertical ? QObject::tr("Kurve %1 vertikal gespiegelt").arg(curve)
                    : QObject::tr("Kurve %1 horizontal gespiegelt").arg(curve),
           [curve, vertical](hq::ServoWorkingCopy& copy) {
               if (vertical)
                   hq::mirrorVertical(copy.data.curve(curve));
               else
                   hq::mirrorHorizontal(copy.data.curve(curve));
           });
}

void ServoEdits::copyCurve(int from, int to) {
    if (!isCurve(from) || !isCurve(to) || from == to)
        return;
    change(QObject::tr("Kurve %1 von #%2 kopiert").arg(to).arg(from), [from, to](hq::ServoWorkingCopy& copy) {
        hq::copyCurveBlock(copy.data.curve(from), copy.data.curve(to));
    });
}

void ServoEdits::loadCurve(int curve, const std::vector<int>& points) {
    if (!isCurve(curve) || points.empty())
        return;
    change(QObject::tr("Kurve %1 geladen").arg(curve), [curve, &points](hq::ServoWorkingCopy& copy) {
        hq::applyCurvePoints(copy.data.curve(curve), points);
    });
}

void ServoEdits::loadCurves(const hq::ServoData& data) {
    change(QObject::tr("Alle Kurven geladen"), [&data](hq::ServoWorkingCopy& copy) { copy.data = data; });
}

void ServoEdits::setAssignment(int row, AssignmentField field, int item) {
    if (row < 1 || row > hq::kAssignmentRowCount)
        return;
    change(QObject::tr("Zuordnung a%1").arg(row), [row, field, item](hq::ServoWorkingCopy& copy) {
        hq::AssignmentRow bytes = hq::assignmentRow(copy.data, row);
        switch (field) {
        case AssignmentField::Servo:
            bytes.servoAction = hq::withServoItem(bytes.servoAction, item);
            break;
        case AssignmentField::Action:
            bytes.servoAction = hq::withActionItem(bytes.servoAction, item);
            break;
        case AssignmentField::Curve:
            bytes.curveRelay = hq::withCurveItem(bytes.curveRelay, item);
            break;
        case AssignmentField::Relay:
            bytes.curveRelay = hq::withRelayItem(bytes.curveRelay, item);
            break;
        }
        hq::setAssignmentRow(copy.data, row, bytes);
    });
}

void ServoEdits::stepOffset(int servo, int step) {
    if (!isCurve(servo))
        return;
    change(QObject::tr("Offset von Servo %1").arg(servo), [servo, step](hq::ServoWorkingCopy& copy) {
        copy.timing.setOffset(servo, hq::steppedOffset(copy.timing.offset(servo), step));
    });
}

void ServoEdits::stepFaktor(int servo, int step) {
    if (!isCurve(servo))
        return;
    change(QObject::tr("Faktor von Servo %1").arg(servo), [servo, step](hq::ServoWorkingCopy& copy) {
        copy.timing.setFaktor(servo, hq::steppedFaktor(copy.timing.faktor(servo), step));
    });
}

void ServoEdits::setFlag(int servo, hq::ServoFlag flag, bool on) {
    if (!isCurve(servo))
        return;
    change(QObject::tr("Optionen der Servos"),
           [servo, flag, on](hq::ServoWorkingCopy& copy) { hq::setServoFlag(copy.data, servo, flag, on); });
}

void ServoEdits::accept() {
    document_.acceptEditorChanges();
}

void ServoEdits::discard() {
    document_.discardEditorChanges();
}

void ServoEdits::finishEntry() {
    document_.finishEntry();
}
