#pragma once
// The constant tables that turn an address into the code bytes the firmware keeps in its EEPROM.

#include <array>
#include <string>
#include <string_view>
#include <unordered_map>

namespace hq {

struct CodeTables {
    std::array<std::string, 350> mmAccessory;   // switching address 0..320, 6 hex digits
    std::array<std::string, 350> mmVehicle;     // vehicle address 1..255, 4 hex digits
    std::array<std::string, 2100> dccAccessory; // switching address 1..2044, 6 hex digits

    // Reverse lookups, code text to address. For switching decoders both the stored form and the
    // red/green-changed form are held (flag: 0 stored, 1 changed); the lowest address wins, the stored
    // form before the changed one, as a search from index 0 upwards would find them.
    struct Match {
        int address = 0;
        int changedForm = 0;
    };
    std::unordered_map<std::string, Match> mmAccessoryLookup;
    std::unordered_map<std::string, Match> dccAccessoryLookup;
    std::unordered_map<std::string, int> mmVehicleLookup;

    static const CodeTables& instance();
};

inline constexpr int kMmHighestAccessory = 320;
inline constexpr int kMmHighestVehicle = 255;
inline constexpr int kDccHighestAccessory = 2044;
inline constexpr int kDccHighestVehicle = 16128;

// The four base-3 digits of n (0..80) as a 16-bit value in four hex digits.
std::string tritCode(int n);

// The code of a switching address with its red/green digit changed (MM: 5th digit C->0, F->3;
// DCC: 4th digit 0/4/8/C -> 2/6/A/E, then 2nd digit swapped within its pair).
std::string mmRedGreenVariant(std::string_view code);
std::string dccRedGreenVariant(std::string_view code);

// Function codes of vehicle decoders: MM 1..4, DCC 1..12; empty outside that range.
std::string_view mmFunctionCode(int function);
std::string_view dccFunctionCode(int function);
// The function number of a function byte text, 0 when it is none.
int mmFunctionNumber(std::string_view code);
int dccFunctionNumber(std::string_view code);

} // namespace hq
