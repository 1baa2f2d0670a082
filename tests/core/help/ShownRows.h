#pragma once
// The rows of the help tests: 1..31 shown and unused.

#include "help/RowWarnings.h"

namespace hq::test {

inline RowTable shownRows() {
    RowTable rows;
    for (int r = 1; r < kRowCount; ++r)
        rows[static_cast<std::size_t>(r)].shown = true;
    return rows;
}

} // namespace hq::test
