// Decoder, output, keyboard and key of an accessory address, and their German texts.

#include "help/AccessoryNumbering.h"

namespace hq {

std::optional<DecoderOutput> accessoryDecoderOutput(int address) {
    if (address < 1)
        return std::nullopt;
    return DecoderOutput{(address - 1) / kOutputsPerDecoder + 1, (address - 1) % kOutputsPerDecoder + 1};
}

std::optional<KeyboardKey> mmKeyboardKey(int address) {
    if (address < 1)
        return std::nullopt;
    return KeyboardKey{(address - 1) / kKeysPerKeyboard + 1, (address - 1) % kKeysPerKeyboard + 1};
}

std::string decoderOutputText(const DecoderOutput& place) {
    return "Dekoder " + std::to_string(place.decoder) + ", Ausgang " + std::to_string(place.output);
}

std::string keyboardKeyText(const KeyboardKey& place) {
    return "Keyboard " + std::to_string(place.keyboard) + ", Taste " + std::to_string(place.key);
}

} // namespace hq
