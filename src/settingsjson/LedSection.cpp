// "led": the four patterns of the ten-output LED firmware (layout in PatternSection.h), absent for
// other kinds. Saving writes a changed table as the editor's "Übernehmen" does: blocks 1 to 4.

#include "PatternSection.h"

namespace hq {

namespace led_json {
namespace {

std::optional<Json> show(const ShowSource& source) {
    return showPatterns(source, Panel::Led);
}

Status apply(const Json& value, SettingsTarget& target) {
    return applyPatterns(value, target, Panel::Led, "led");
}

} // namespace
} // namespace led_json

const JsonSection& ledSection() {
    static const JsonSection section{"led", led_json::show, led_json::apply};
    return section;
}

} // namespace hq
