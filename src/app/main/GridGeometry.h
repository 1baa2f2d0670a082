#pragma once
// Where the controls of a grid row stand inside GroupBoxMain: rows 1..n (n = rows per column of the
// firmware) form the first column, all later rows a second column 200 pixels to the right.

#include "Metrics.h"

struct GridPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const GridPoint&, const GridPoint&) = default;
};

class GridGeometry {
public:
    static constexpr int kLeft = 10;        // first column, inside GroupBoxMain
    static constexpr int kHeadingTop = 9;   // the column headings "Adresse", "R/G" / "Funktion"
    static constexpr int kTop = 30;         // first row
    static constexpr int kRowStep = 25;     // rows are 25 pixels apart
    static constexpr int kColumnStep = 200; // the second column
    static constexpr int kAddressOffset = 100;
    static constexpr int kSwitchOffset = 150; // function number or "R/G" button
    static constexpr int kCaptionWidth = 100;
    static constexpr int kAddressWidth = 46; // five digits (16128) without clipping
    static constexpr int kFunctionWidth = 30;
    static constexpr int kButtonWidth = 30;
    static constexpr int kButtonHeight = 16;
    static constexpr int kFieldHeight = ::kFieldHeight;
    // GroupBoxMain itself, with GroupBoxFlags along its bottom and the help line of the focused row
    // above it, below the fullest second column (16 rows).
    static constexpr int kBoxWidth = 400;
    static constexpr int kBoxHeight = 525;
    static constexpr int kFlagsHeight = 64;
    static constexpr int kFlagsTop = kBoxHeight - kFlagsHeight - 3;
    static constexpr int kHelpHeight = 32;
    static constexpr int kHelpTop = kFlagsTop - kHelpHeight;
    static constexpr int kWarningOffset = 183; // the amber mark right of the function or "R/G"

    explicit GridGeometry(int rowsPerColumn);

    // 0 for the first column, 1 for the second. Row 0 is never shown; it is placed like row 1.
    int column(int row) const;
    // The top left corner of the row's caption label; address and switch follow to the right.
    GridPoint rowOrigin(int row) const;
    GridPoint addressOrigin(int row) const;
    GridPoint switchOrigin(int row) const;
    // The x of the divider between the columns.
    static int dividerX() { return kLeft + kColumnStep - 10; }

private:
    int rowsPerColumn_;
};
