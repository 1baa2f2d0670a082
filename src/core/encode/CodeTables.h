#pragma once
// The constant tables that turn an address into the code bytes the firmware keeps in its EEPROM.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace hq {

// One table: the code of each address and the reverse lookup from code to address. For switching
// decoders the lookup holds both the stored form and the red/green-changed form of every code; the
// lowest address wins, the stored form before the changed one, as a search from index 0 upwards
// would find them. Each table is built the first time it is used.
struct CodeTable {
    struct Match {
        int address = 0;
        bool changedForm = false;
    };

    std::vector<std::string> codes; // by address; empty where no code is defined

    // The address of a code text (upper-case hex digits), or null.
    const Match* find(std::string_view code) const;
    // Adds a code value unless it is already there (the first one added wins).
    void addCode(std::uint32_t value, Match match);

private:
    // Open addressing over code values; a key of 0 marks a free slot (real keys carry their length).
    struct Slot {
        std::uint32_t key = 0;
        Match match;
    };
    std::vector<Slot> slots_ = std::vector<Slot>(8192);
    Slot& slotFor(std::uint32_t key);
    const Slot& slotFor(std::uint32_t key) const;
};

const CodeTable& mmAccessoryTable();  // switching addresses 0..320, 6 hex digits (capacity 350)
const CodeTable& mmVehicleTable();    // vehicle addresses 1..255, 4 hex digits (capacity 350)
const CodeTable& dccAccessoryTable(); // switching addresses 1..2044, 6 hex digits (capacity 2100)

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
