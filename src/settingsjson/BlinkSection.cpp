// "blink": the four patterns of the four-output blink firmware (layout in PatternSection.h), absent
// for other kinds. Saving writes a changed table as the editor's "Übernehmen" does: block 1 with
// seven words in its last record.

#include "PatternSection.h"

namespace hq {

namespace blink_json {
namespace {

std::optional<Json> show(const ShowSource& source) {
    return showPatterns(source, Panel::Blink);
}

Status apply(const Json& value, SettingsTarget& target) {
    return applyPatterns(value, target, Panel::Blink, "blink");
}

} // namespace
} // namespace blink_json

const JsonSection& blinkSection() {
    static const JsonSection section{"blink", blink_json::show, blink_json::apply};
    return section;
}

} // namespace hq
