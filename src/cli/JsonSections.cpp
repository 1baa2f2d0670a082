#include "JsonSection.h"

namespace hq {

std::span<const JsonSection> jsonSections() {
    // The firmware check comes first; the program tables are taken over before the grid is
    // validated, as the editors' pending changes are before "HEX speichern".
    static const JsonSection sections[] = {firmwareSection(), programTableSection(), outputsSection(),
                                           extraSection(), eepromSection()};
    return sections;
}

} // namespace hq
