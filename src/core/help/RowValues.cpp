// Row values taken from decoded parameters, with the grid's rule for which rows are shown.

#include "help/RowValues.h"

namespace hq {

bool rowShown(const Recognition& recognition, int row) {
    return row > 0 && row < kRowCount && recognition.rowsShown() && !recognition.rowCaption(row).empty();
}

RowTable rowValuesFrom(const Parameters& parameters, const Recognition& recognition) {
    RowTable rows;
    for (int r = 0; r < kRowCount; ++r) {
        const OutputRow& loaded = parameters.rows[static_cast<std::size_t>(r)];
        rows[static_cast<std::size_t>(r)] = {loaded.address, loaded.redGreen, loaded.function,
                                             rowShown(recognition, r)};
    }
    return rows;
}

} // namespace hq
