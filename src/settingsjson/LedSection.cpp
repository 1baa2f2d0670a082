// "led": the four patterns of the ten-output LED firmware (layout in PatternSection.h), absent for
// other kinds. Saving writes a changed table as the editor's "Übernehmen" does: blocks 1 to 4.

#include "PatternSection.h"

namespace hq {

namespace {

std::optional<Json> show(const ShowSource& source) {
    return showPatterns(source, Panel::Led);
}

Status apply(const Json& value, SettingsTarget& target) {
    return applyPatterns(value, target, Panel::Led, "led");
}

} // namespace

const JsonSection& ledSection() {
    static const JsonSection section{"led", show, apply};
    return section;
}

} // namespace hq
