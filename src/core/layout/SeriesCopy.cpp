// Addresses are read from the decoded parameters and written through the settings, so every other
// value (red/green, functions, the extra value, the editors' tables) is taken over untouched.

#include "layout/SeriesCopy.h"

#include "help/RowValues.h"
#include "settings/FirmwareSettings.h"

namespace hq {

Result<std::string> shiftedCopyText(const Firmware& firmware, int shift) {
    Firmware copy = firmware;
    FirmwareSettings settings = readSettings(copy);
    for (int r = 0; r < kRowCount; ++r) {
        const int address = firmware.parameters.rows[static_cast<std::size_t>(r)].address;
        if (rowShown(firmware.recognition, r) && address != 0)
            settings.rows[static_cast<std::size_t>(r)].address = address + shift;
    }
    if (auto problem = applySettings(copy, settings))
        return Error{problem->message, problem->kind};
    return hexImageText(copy.image);
}

} // namespace hq
