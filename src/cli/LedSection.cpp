// "led": the four patterns of the ten-output LED firmware (layout in PatternSection.h), absent for
// other kinds. A changed table is written as the editor's "Übernehmen" writes it: blocks 1 to 4.

#include "PatternSection.h"

namespace hq {

namespace {

QJsonValue show(const Firmware& firmware) {
    return showPatterns(firmware, Panel::Led, kLedLayout);
}

Status apply(const QJsonValue& value, SettingsTarget& target) {
    return applyPatterns(value, target, Panel::Led, kLedLayout, "led");
}

} // namespace

const JsonSection& ledSection() {
    static const JsonSection section{"led", show, apply};
    return section;
}

} // namespace hq
