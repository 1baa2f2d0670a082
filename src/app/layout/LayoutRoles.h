#pragma once
// What the layout's table models give beyond the shown text, for the filter, the restored
// selection, double-click and the tests; and the amber of a clash.

#include <QColor>
#include <Qt>

namespace layout_roles {

enum Role {
    // Numbers sort as numbers (addresses, kinds, rows); texts as the cells show them.
    Sort = Qt::UserRole + 1,
    // The decoder file relative to the layout folder (QString).
    File,
    // What names a table row across a rescan (QString), to keep it selected.
    Key,
    // The row takes part in a clash not marked intended (bool).
    OpenClash,
    // The row takes part in a clash, intended or not (bool).
    AnyClash,
};

} // namespace layout_roles

// The amber of the address help's warning mark, lightened so that text on it stays readable.
inline const QColor kClashAmber(0xFF, 0xD5, 0x8A);
// Intended clashes keep a quiet mark: they are known, not a fault.
inline const QColor kIntendedText(0x6A, 0x6A, 0x6A);
