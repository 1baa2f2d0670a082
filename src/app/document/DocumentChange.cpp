#include "DocumentChange.h"

#include "light/PatternLayout.h"
#include "servo/CurveTransform.h"

#include <algorithm>

namespace {

using Area = DocumentChange::Area;

using PointSpan = DocumentChange::PointSpan;

constexpr PointSpan kAllPoints{0, hq::kMaxCurvePoints - 1, true, true};

// The points of a curve that differ; all of them where the count or the stretch differs, since the
// drawing's x-step and the times follow these.
PointSpan curvePointsDiffering(const hq::CurveBlock& a, const hq::CurveBlock& b) {
    if (a[hq::kCurveCountEntry] != b[hq::kCurveCountEntry] ||
        a[hq::kCurveStretchEntry] != b[hq::kCurveStretchEntry])
        return kAllPoints;
    PointSpan span;
    for (int point = 0; point < hq::kMaxCurvePoints; ++point) {
        const int differing = a[static_cast<std::size_t>(point)] ^ b[static_cast<std::size_t>(point)];
        if (differing != 0) {
            if (span.isEmpty())
                span.first = point;
            span.last = point;
            span.positions = span.positions || (differing & hq::kPositionMask) != 0;
            span.relays = span.relays || (differing & ~hq::kPositionMask) != 0;
        }
    }
    return span;
}

PointSpan unite(const PointSpan& a, const PointSpan& b) {
    if (a.isEmpty())
        return b;
    if (b.isEmpty())
        return a;
    return {std::min(a.first, b.first), std::max(a.last, b.last), a.positions || b.positions,
            a.relays || b.relays};
}

// Everything of a curve block that is not the curve: the servo's flag byte and the assignments.
bool blockSettingsDiffer(const hq::CurveBlock& a, const hq::CurveBlock& b) {
    for (int entry = hq::kMaxCurvePoints; entry < hq::kCurveBlockSize; ++entry) {
        if (entry != hq::kCurveCountEntry && entry != hq::kCurveStretchEntry && a[entry] != b[entry])
            return true;
    }
    return false;
}

} // namespace

DocumentChange DocumentChange::everything() {
    DocumentChange change;
    change.areas_.set();
    change.rows_.set();
    change.curves_.set();
    change.curvePoints_.fill(kAllPoints);
    change.patternAddresses_.set();
    change.servoSettings_ = true;
    change.pending_ = true;
    return change;
}

DocumentChange DocumentChange::servoPointsDrawn(int curve, PointSpan points) {
    DocumentChange change;
    if (curve < 1 || curve > hq::kServoCurveCount || points.isEmpty())
        return change;
    const auto index = static_cast<std::size_t>(curve - 1);
    change.add(Area::Servo);
    change.pending_ = true;
    change.curves_.set(index);
    points.first = std::max(points.first, 0);
    points.last = std::min(points.last, hq::kMaxCurvePoints - 1);
    change.curvePoints_[index] = points;
    return change;
}

void DocumentChange::add(Area area) {
    areas_.set(static_cast<std::size_t>(area));
}

DocumentChange DocumentChange::between(const DocumentState& before, const DocumentState& after) {
    DocumentChange change;
    const hq::FirmwareSettings& a = before.edited;
    const hq::FirmwareSettings& b = after.edited;
    for (int row = 0; row < hq::kRowCount; ++row) {
        if (!(a.rows[static_cast<std::size_t>(row)] == b.rows[static_cast<std::size_t>(row)])) {
            change.rows_.set(static_cast<std::size_t>(row));
            change.add(Area::Rows);
        }
    }
    if (a.extra != b.extra)
        change.add(Area::Extra);
    if (a.neon != b.neon)
        change.add(Area::Neon);
    if (a.house != b.house)
        change.add(Area::House);

    if (before.servo != after.servo || a.servo != b.servo) {
        change.add(Area::Servo);
        change.pending_ = true;
        // The editor shows its working copy; without one on either side, the settings.
        const auto& from = before.servo ? before.servo : a.servo;
        const auto& to = after.servo ? after.servo : b.servo;
        if (from && to) {
            for (int curve = 1; curve <= hq::kServoCurveCount; ++curve) {
                const hq::CurveBlock& x = from->data.curve(curve);
                const hq::CurveBlock& y = to->data.curve(curve);
                const auto index = static_cast<std::size_t>(curve - 1);
                change.curvePoints_[index] = curvePointsDiffering(x, y);
                if (!change.curvePoints_[index].isEmpty())
                    change.curves_.set(index);
                if (blockSettingsDiffer(x, y))
                    change.servoSettings_ = true;
            }
            change.servoSettings_ = change.servoSettings_ || !(from->timing == to->timing);
        } else {
            change.curves_.set();
            change.curvePoints_.fill(kAllPoints);
            change.servoSettings_ = true;
        }
    }
    if (!(before.patterns == after.patterns) || !(a.patterns == b.patterns)) {
        change.add(Area::Patterns);
        change.pending_ = true;
        const auto& from = before.patterns ? before.patterns : a.patterns;
        const auto& to = after.patterns ? after.patterns : b.patterns;
        if (from && to && from->layout == to->layout && from->layout != nullptr) {
            const int size = from->layout->blockSize;
            for (int address = 1; address <= hq::kPatternAddresses; ++address) {
                const auto first = static_cast<std::ptrdiff_t>((address - 1) * size);
                if (!std::equal(from->table.begin() + first, from->table.begin() + first + size,
                                to->table.begin() + first))
                    change.patternAddresses_.set(static_cast<std::size_t>(address - 1));
            }
        } else {
            change.patternAddresses_.set();
        }
    }
    return change;
}

bool DocumentChange::touches(Area area) const {
    return areas_.test(static_cast<std::size_t>(area));
}

bool DocumentChange::touchesRow(int row) const {
    return row >= 0 && row < hq::kRowCount && rows_.test(static_cast<std::size_t>(row));
}

bool DocumentChange::touchesCurve(int curve) const {
    return curve >= 1 && curve <= hq::kServoCurveCount && curves_.test(static_cast<std::size_t>(curve - 1));
}

DocumentChange::PointSpan DocumentChange::touchedPoints(int curve) const {
    if (!touchesCurve(curve))
        return {};
    return curvePoints_[static_cast<std::size_t>(curve - 1)];
}

bool DocumentChange::touchesServoSettings() const {
    return servoSettings_;
}

bool DocumentChange::touchesPatternAddress(int address) const {
    return address >= 1 && address <= hq::kPatternAddresses &&
           patternAddresses_.test(static_cast<std::size_t>(address - 1));
}

DocumentChange& DocumentChange::operator|=(const DocumentChange& other) {
    areas_ |= other.areas_;
    rows_ |= other.rows_;
    curves_ |= other.curves_;
    for (std::size_t curve = 0; curve < curvePoints_.size(); ++curve)
        curvePoints_[curve] = unite(curvePoints_[curve], other.curvePoints_[curve]);
    patternAddresses_ |= other.patternAddresses_;
    servoSettings_ = servoSettings_ || other.servoSettings_;
    pending_ = pending_ || other.pending_;
    return *this;
}

DocumentChange DocumentChange::withBaseline() const {
    DocumentChange change = *this;
    change.add(Area::Baseline);
    return change;
}
