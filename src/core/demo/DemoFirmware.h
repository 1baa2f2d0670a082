#pragma once
// Demo firmware files for every kind the program recognises, built the way the decoder firmwares
// are laid out: reset vector, protocol signature, program code, parameter tables in program
// memory, ID words, configuration word and the data EEPROM.

#include "image/Recognition.h"

#include <string>

namespace hq {

// The decoder type a kind's firmware is written for: the function-decoder kinds (2, 4, 5, 6, 44)
// are "Fahrzeug", all others "Schalt".
DecoderType demoDefaultType(int kind);

// The complete Intel HEX text (CR LF line ends) of a demo firmware of `kind`. `protocol` picks the
// protocol signature at 0x0010 (None writes ordinary code there, so the firmware has no protocol);
// DecoderType::None means the kind's default type. The outputs are set to consecutive addresses
// starting at 5 (switching) or 3 (function decoders). Empty for a kind that is not in the
// recognition table.
std::string demoFirmwareText(int kind, Protocol protocol, DecoderType type = DecoderType::None);

// "demo-<kind>-<mm|dcc>.hex" ("demo-<kind>.hex" without protocol).
std::string demoFileName(int kind, Protocol protocol);

// First address of the demo outputs.
inline constexpr int kDemoSwitchingAddress = 5;
inline constexpr int kDemoVehicleAddress = 3;
// The extra value the demos carry, where the kind has one.
inline constexpr int kDemoExtraValue = 20;

} // namespace hq
