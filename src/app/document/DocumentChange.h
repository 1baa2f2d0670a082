#pragma once
// What one change of the document touched, so that only the views of that part repaint: a typed
// address repaints its row and the address help, a stroke on a curve repaints that curve's canvas and
// the preview, never the grid. Worked out by comparing the states before and after, so an undo or a
// redo names exactly what it gives back, and a step that spans areas (an import) names them all.

#include "DocumentState.h"

#include <array>
#include <bitset>

class DocumentChange {
public:
    enum class Area {
        Rows,     // addresses, functions, red/green of the grid
        Extra,    // the extra value
        Servo,    // the servo working copy or the servo settings
        Patterns, // the pattern working copy or the pattern settings
        Neon,
        House,
        Baseline, // the file's settings (a load or a save): every change mark may differ
    };

    // Points first..last of a servo curve, both within 0..99, and what of them changed.
    struct PointSpan {
        int first = 0;
        int last = -1;          // below `first`: no point
        bool positions = false; // a position (or the count or stretch: the whole drawing)
        bool relays = false;    // a relay bit (or the count or stretch)

        bool isEmpty() const { return last < first; }
        bool isWholeCurve() const { return first == 0 && last >= hq::kMaxCurvePoints - 1; }
        friend bool operator==(const PointSpan&, const PointSpan&) = default;
    };

    // Everything, for a new firmware.
    static DocumentChange everything();
    static DocumentChange between(const DocumentState& before, const DocumentState& after);
    // Points of servo curve 1..4 drawn in the working copy (a stroke's mouse move), for a change made
    // in place and so never compared.
    static DocumentChange servoPointsDrawn(int curve, PointSpan points);

    bool isEmpty() const { return areas_.none(); }
    bool touches(Area area) const;
    // Row 0..31 of the grid.
    bool touchesRow(int row) const;
    // The points, count or stretch of servo curve 1..4.
    bool touchesCurve(int curve) const;
    // The points of curve 1..4 that may differ, so that a drawing repaints only around them; all
    // points 0..99 when its count or stretch changed (the whole drawing moves), none when the curve is
    // not touched.
    PointSpan touchedPoints(int curve) const;
    // The servo assignments, flags and pulse timing.
    bool touchesServoSettings() const;
    // Pattern address 1..4: its steps, count, stretch, loop or outputs in use.
    bool touchesPatternAddress(int address) const;
    // Whether what is taken over ("übernehmen") may have changed: the editor's button follows.
    bool touchesPending() const { return pending_; }

    DocumentChange& operator|=(const DocumentChange& other);
    // The file's settings changed as well (a save).
    DocumentChange withBaseline() const;

private:
    void add(Area area);

    std::bitset<7> areas_;
    std::bitset<hq::kRowCount> rows_;
    std::bitset<4> curves_;
    std::array<PointSpan, 4> curvePoints_{};
    std::bitset<4> patternAddresses_;
    bool servoSettings_ = false;
    bool pending_ = false;
};
