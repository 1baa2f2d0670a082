// Any bytes as settings JSON, taken onto a few demo firmwares as `apply` takes them: nothing
// crashes, a refusal says why and leaves the firmware as it was, and accepted settings survive the
// way out through settingsJsonText and back.

#include "SettingsJson.h"
#include "demo/DemoFirmware.h"
#include "image/Firmware.h"
#include "settings/FirmwareSettings.h"

#include <nlohmann/json.hpp>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

// One firmware of every editor and of both decoder types.
const std::vector<hq::Firmware>& firmwares() {
    static const std::vector<hq::Firmware> loaded = [] {
        const std::pair<int, hq::Protocol> kinds[] = {{31, hq::Protocol::MM}, {42, hq::Protocol::DCC},
                                                      {43, hq::Protocol::MM}, {44, hq::Protocol::DCC},
                                                      {45, hq::Protocol::MM}, {15, hq::Protocol::DCC},
                                                      {4, hq::Protocol::DCC}, {21, hq::Protocol::None}};
        std::vector<hq::Firmware> list;
        for (const auto& [kind, protocol] : kinds)
            list.push_back(*hq::loadFirmware(hq::demoFirmwareText(kind, protocol)));
        return list;
    }();
    return loaded;
}

// Values "program_table" sets, such as a servo count of 0, have no form in the sections the
// settings JSON writes; only settings without it must come back unchanged.
bool setsProgramTable(std::string_view json) {
    const nlohmann::json parsed = nlohmann::json::parse(json, nullptr, false);
    return parsed.is_discarded() || !parsed.is_object() || parsed.contains("program_table");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const hq::Firmware& firmware = firmwares()[data[0] % firmwares().size()];
    const std::string_view json(reinterpret_cast<const char*>(data + 1), size - 1);
    const hq::FirmwareSettings base = hq::readSettings(firmware);

    auto settings = hq::settingsFromJsonText(firmware, base, json);
    if (!settings) {
        check(!settings.message().empty());
        return 0;
    }

    // Saved: refused with the firmware as it was, or written.
    hq::Firmware saved = firmware;
    if (auto problem = hq::applySettings(saved, *settings)) {
        check(!problem->message.empty());
        check(hq::hexImageText(saved.image) == hq::hexImageText(firmware.image));
    }

    // Written as settings JSON and read back onto the same base: the same settings, the same text.
    const std::string text = hq::settingsJsonText(firmware, *settings);
    check(!nlohmann::json::parse(text, nullptr, false).is_discarded());
    auto back = hq::settingsFromJsonText(firmware, base, text);
    check(static_cast<bool>(back));
    check(hq::settingsJsonText(firmware, *back) == text);
    if (!setsProgramTable(json))
        check(*back == *settings);
    return 0;
}
