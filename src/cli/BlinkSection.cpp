// "blink": the four patterns of the four-output blink firmware (layout in PatternSection.h), absent
// for other kinds. A changed table is written as the editor's "Übernehmen" writes it: block 1 with
// seven words in its last record.

#include "PatternSection.h"

namespace hq {

namespace {

QJsonValue show(const Firmware& firmware) {
    return showPatterns(firmware, Panel::Blink, kBlinkLayout);
}

Status apply(const QJsonValue& value, SettingsTarget& target) {
    return applyPatterns(value, target, Panel::Blink, kBlinkLayout, "blink");
}

} // namespace

const JsonSection& blinkSection() {
    static const JsonSection section{"blink", show, apply};
    return section;
}

} // namespace hq
