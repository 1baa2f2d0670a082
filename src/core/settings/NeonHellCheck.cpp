// The messages keep the wording users know for a typed HELL level and name the input's level in
// the same way when the user never touched HELL: both say what the file would hold.

#include "settings/NeonHellCheck.h"

#include "light/NeonValues.h"

#include <algorithm>
#include <string>

namespace hq {

namespace neon_hell {
namespace {

std::string sharedByteReason(const std::string& rowCaption) {
    return "EEPROM-Byte 0x21 ist zugleich das dritte Code-Byte von <" + rowCaption +
           "> (Zeile 1) und wird beim Speichern mit dessen Adresse und Funktion geschrieben.";
}

std::string conflictMessage(const NeonHellConflict& conflict, bool typed, const std::string& rowCaption) {
    const std::string outcome = "\nGespeichert würde HELL = " + std::to_string(conflict.stored) + ".";
    if (typed) {
        return "Die Licht-Stufe HELL " + std::to_string(conflict.asked) +
               " kann in diesem HEX-File nicht gespeichert werden: " + sharedByteReason(rowCaption) + outcome;
    }
    return "Die Licht-Stufe HELL " + std::to_string(conflict.asked) +
           " der Datei bleibt beim Speichern nicht erhalten: " + sharedByteReason(rowCaption) + outcome;
}

} // namespace
} // namespace neon_hell

std::optional<NeonHellConflict> neonHellAfterSave(const Firmware& applied, const FirmwareSettings& input,
                                                  const FirmwareSettings& settings) {
    if (!settings.neon || !input.neon || !settings.neon->hell)
        return std::nullopt;
    const int asked = std::clamp(*settings.neon->hell, 0, 255);
    const std::optional<int> stored = shownNeonValue(applied.eeprom(), NeonValue::Hell);
    if (!stored || *stored == asked)
        return std::nullopt;
    NeonHellConflict conflict{asked, *stored, {}};
    const bool typed = settings.neon->hell != input.neon->hell;
    conflict.message = neon_hell::conflictMessage(conflict, typed, applied.recognition.rowCaption(1));
    return conflict;
}

} // namespace hq
