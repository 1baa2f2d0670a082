#pragma once
// How a command station names an accessory address: four outputs to a decoder address, counted
// from 1 (address 1 is decoder 1, output 1; 2044 is decoder 511, output 4), and for MM also the
// keyboard with its 16 keys. Address 0 and negative addresses have no numbering.

#include <optional>
#include <string>

namespace hq {

inline constexpr int kOutputsPerDecoder = 4;
inline constexpr int kKeysPerKeyboard = 16;
// Decoder 511 (DCC addresses 2041..2044) is the broadcast address every accessory decoder obeys.
inline constexpr int kDccBroadcastDecoder = 511;
inline constexpr int kDccFirstBroadcastAddress = 2041;

struct DecoderOutput {
    int decoder = 0;
    int output = 0;
    friend bool operator==(const DecoderOutput&, const DecoderOutput&) = default;
};

struct KeyboardKey {
    int keyboard = 0;
    int key = 0;
    friend bool operator==(const KeyboardKey&, const KeyboardKey&) = default;
};

// Decoder (a - 1) div 4 + 1 and output (a - 1) mod 4 + 1, for MM and DCC alike; nothing below 1.
std::optional<DecoderOutput> accessoryDecoderOutput(int address);
// Keyboard (a - 1) div 16 + 1 and key (a - 1) mod 16 + 1; nothing below 1.
std::optional<KeyboardKey> mmKeyboardKey(int address);

// "Dekoder 5, Ausgang 3".
std::string decoderOutputText(const DecoderOutput& place);
// "Keyboard 2, Taste 1".
std::string keyboardKeyText(const KeyboardKey& place);

// Shown with every DCC accessory address: stations that count the first decoder differently make a
// decoder react four addresses off, which users otherwise take for a damaged file.
inline constexpr const char* kDccOutputCountingHint =
    "Manche Zentralen zählen die Ausgänge um 4 versetzt: Reagiert ein Dekoder 4 Adressen neben der "
    "erwarteten, liegt das an der Zählweise der Zentrale, nicht an einer fehlerhaften Datei.";

} // namespace hq
