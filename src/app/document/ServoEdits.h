#pragma once
// The servo area of the document: the four curves with their relay bits, point counts and stretches,
// the addresses a1..a8 with the servo, action, curve and relay each drives, the option flags and the
// pulse timing, as the editor's working copy holds them (and as the file holds them, for the marks).
// The servo editor's panels and drawings read them here and change them only through the operations
// below, each one undo step named as today; what is typed into one count or stretch field is one step
// until `finishEntry`, a mouse stroke on a drawing is one step. "übernehmen" takes the working copy
// into the settings a save writes, "verwerfen" goes back to them.

#include "FieldValue.h"
#include "servo/ServoAssignment.h"
#include "servo/ServoFlags.h"
#include "servo/ServoWorkingCopy.h"

#include <QString>

#include <functional>
#include <vector>

class FirmwareDocument;

namespace hq {
enum class CurveShape;
}

class ServoEdits {
public:
    // The working copy the editor shows, or the file's.
    enum class Copy { Shown, File };
    enum class AssignmentField { Servo, Action, Curve, Relay };
    // The two drawings of a curve: its positions, and its relay track.
    enum class Track { Positions, Relay };
    enum class Mirror { Vertical, Horizontal };

    explicit ServoEdits(FirmwareDocument& document) : document_(document) {}

    // The document holds servo settings (a servo firmware is loaded); without them every curve reads
    // as zeros and no operation changes anything.
    bool hasCurves() const;
    const hq::ServoWorkingCopy& copy(Copy which = Copy::Shown) const;
    // Curve 1..4 as the preview plays it and the sheet prints it.
    const hq::CurveBlock& curve(int curve, Copy which = Copy::Shown) const;
    // The points drawn and played: the stored count brought into 1..100.
    int pointCount(int curve) const;
    // The point count and the stretch as stored, as their fields show them.
    int storedCount(int curve) const;
    int stretch(int curve) const;
    // Point 0..99: its position 0..127 and its relay bit.
    int position(int curve, int point) const;
    bool isRelayOn(int curve, int point) const;
    // The points, count or stretch of the curve differ from the file's.
    bool curveDiffersFromFile(int curve) const;
    // Address a1..a8, servo 1..4.
    hq::AssignmentRow assignment(int row, Copy which = Copy::Shown) const;
    int offset(int servo, Copy which = Copy::Shown) const;
    int faktor(int servo, Copy which = Copy::Shown) const;
    bool flag(int servo, hq::ServoFlag flag, Copy which = Copy::Shown) const;
    // The working copy differs from what "übernehmen" took over last.
    bool hasPendingChanges() const;

    // A mouse stroke on one drawing of `curve`: what it draws shows at once and is one step when it
    // ends. `setPosition` and `setRelay` outside a stroke are a step each.
    void beginStroke(int curve, Track track);
    void setPosition(int curve, int point, int position);
    void setRelay(int curve, int point, bool on);
    void endStroke();

    // A count or stretch typed: numbers are stored brought into 1..100 or 1..200; text that is no
    // number is not stored.
    void setCount(int curve, const hq::FieldValue& value);
    void setStretch(int curve, const hq::FieldValue& value);
    void generate(int curve, hq::CurveShape shape);
    void mirror(int curve, Mirror mirror);
    // The points, count and stretch of `from` onto `to`; the rest of the block stays `to`'s.
    void copyCurve(int from, int to);
    // A curve file's points into `curve` (no points change nothing), a set file's four blocks.
    void loadCurve(int curve, const std::vector<int>& points);
    void loadCurves(const hq::ServoData& data);

    // `item` 0..3 of one box of address a1..a8.
    void setAssignment(int row, AssignmentField field, int item);
    // A pulse button: the offset or the faktor of servo 1..4 stepped by ±1 or ±10 within its range.
    void stepOffset(int servo, int step);
    void stepFaktor(int servo, int step);
    void setFlag(int servo, hq::ServoFlag flag, bool on);

    void accept();
    void discard();
    // The field being typed into was left: the next value typed is a step of its own.
    void finishEntry();

private:
    // A step named `text` on the working copy; steps with the same `mergeKey` merge within an entry.
    void change(const QString& text, const std::function<void(hq::ServoWorkingCopy&)>& edit,
                int mergeKey = -1);
    // A point of the stroke's curve, drawn in place.
    void draw(int curve, int point, const std::function<void(hq::CurveBlock&)>& edit, const QString& text);

    FirmwareDocument& document_;
    QString strokeText_;
};
