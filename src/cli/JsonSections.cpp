#include "JsonSection.h"

namespace hq {

std::span<const JsonSection> jsonSections() {
    // The firmware check comes first; the program tables are taken over before the grid is
    // validated, as the editors' pending changes are before "HEX speichern".
    // The editor sections follow the program tables, so their values win over "program_table", and
    // the row codes are written after the neon values, as on saving after the edits.
    static const JsonSection sections[] = {
        firmwareSection(), programTableSection(), servoSection(),   blinkSection(), ledSection(),
        neonSection(),     houseSection(),        outputsSection(), extraSection(), eepromSection()};
    return sections;
}

} // namespace hq
