// The registry of the JSON sections, in the order `apply` takes them.

#include "JsonSection.h"

namespace hq {

std::span<const JsonSection> jsonSections() {
    // The firmware check comes first; the program tables are taken before the editor sections, so
    // the sections' values win over "program_table" where both change the same byte. The rows and
    // the extra value follow; applySettings then writes the editors' values before the row codes,
    // as "HEX speichern" does after the edits.
    static const JsonSection sections[] = {
        firmwareSection(), programTableSection(), servoSection(),   blinkSection(), ledSection(),
        neonSection(),     houseSection(),        outputsSection(), extraSection(), eepromSection()};
    return sections;
}

} // namespace hq
