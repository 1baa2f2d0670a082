#include "GridGeometry.h"

#include <algorithm>

GridGeometry::GridGeometry(int rowsPerColumn) : rowsPerColumn_(std::max(1, rowsPerColumn)) {}

int GridGeometry::column(int row) const {
    return row > rowsPerColumn_ ? 1 : 0;
}

GridPoint GridGeometry::rowOrigin(int row) const {
    const int shown = std::max(1, row);
    const int line = column(shown) == 0 ? shown - 1 : shown - rowsPerColumn_ - 1;
    return {kLeft + column(shown) * kColumnStep, kTop + line * kRowStep};
}

GridPoint GridGeometry::addressOrigin(int row) const {
    const GridPoint origin = rowOrigin(row);
    return {origin.x + kAddressOffset, origin.y};
}

GridPoint GridGeometry::switchOrigin(int row) const {
    const GridPoint origin = rowOrigin(row);
    return {origin.x + kSwitchOffset, origin.y};
}
