// What a PIC16F628A would hold, as a simulator nobody here wrote reads it: Debian's gpsim loads
// every demo and the outputs of `apply` across the kinds of settings, and its program memory and
// data EEPROM are compared with what `show --json` says and with what the settings ask for. The
// expected EEPROM bytes and table words are worked out here from the settings and the layout of the
// firmware (code tables, row places, retlw table entries), never taken from the program's output.
// Skipped with the reason where gpsim is not installed.

#include "TestSupport.h"
#include "demo/DemoFirmware.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <map>

#include <unistd.h>

namespace hq {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using test::cli;
using test::ProgramRun;

constexpr int kProgramWords = 0x800; // 0x000..0x7FF
constexpr int kConfigWord = 0x2007;
constexpr int kEepromBytes = 128;
constexpr int kTableWord = 0x300; // table entry i is the word at 0x300 + i
constexpr int kRetlw = 0x3400;

// The part's memory as gpsim loaded it from a HEX file.
struct PicMemory {
    std::array<int, kProgramWords> program{};
    std::array<int, kEepromBytes> eeprom{};
    int config = -1;
};

bool haveGpsim() {
    return ::access(HQ_GPSIM, X_OK) == 0;
}

std::optional<PicMemory> loadIntoGpsim(const fs::path& hex) {
    std::string commands;
    char line[64];
    for (int word = 0; word < kProgramWords; ++word) {
        std::snprintf(line, sizeof line, "p16f628a.romData[0x%x]\n", word);
        commands += line;
    }
    for (int byte = 0; byte < kEepromBytes; ++byte) {
        std::snprintf(line, sizeof line, "p16f628a.eeData[0x%x]\n", byte);
        commands += line;
    }
    commands += "p16f628a.romData[0x2007]\nquit\n";
    test::ProgramOptions options = test::withInput(commands);
    options.timeout = std::chrono::seconds(60);
    ProgramRun run = test::runProgram(HQ_GPSIM, {"-i", "-p", "p16f628a", hex.string()}, options);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    PicMemory memory;
    memory.program.fill(-1);
    memory.eeprom.fill(-1);
    // Answers read "romData[$b0] = $3928" and "p16f628a.eeData[$7f] = $ff".
    for (const char* kind : {"romData[$", "eeData[$"}) {
        const bool eeprom = kind[0] == 'e';
        for (std::size_t at = run.out.find(kind); at != std::string::npos; at = run.out.find(kind, at + 1)) {
            unsigned address = 0;
            unsigned content = 0;
            const std::string text = run.out.substr(at, 40);
            const std::string format = std::string{kind} + "%x] = $%x";
            if (std::sscanf(text.c_str(), format.c_str(), &address, &content) != 2)
                continue;
            if (eeprom && address < kEepromBytes)
                memory.eeprom[address] = static_cast<int>(content);
            else if (!eeprom && address < kProgramWords)
                memory.program[address] = static_cast<int>(content);
            else if (!eeprom && address == kConfigWord)
                memory.config = static_cast<int>(content);
        }
    }
    for (int content : memory.program) {
        if (content < 0)
            return std::nullopt;
    }
    for (int content : memory.eeprom) {
        if (content < 0)
            return std::nullopt;
    }
    if (memory.config < 0)
        return std::nullopt;
    return memory;
}

// The data records of a HEX file as byte address and bytes, read here without the program's code
// (type 00 data, 04 extended address, 01 end).
std::vector<std::pair<int, std::vector<int>>> dataRecords(const std::string& text) {
    std::vector<std::pair<int, std::vector<int>>> records;
    int upper = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() < 11 || line[0] != ':')
            continue;
        auto byteAt = [&](std::size_t pos) { return std::stoi(line.substr(pos, 2), nullptr, 16); };
        const int count = byteAt(1);
        const int address = byteAt(3) << 8 | byteAt(5);
        const int type = byteAt(7);
        if (type == 4)
            upper = byteAt(9) << 8 | byteAt(11);
        if (type != 0)
            continue;
        std::vector<int> bytes;
        for (int i = 0; i < count; ++i)
            bytes.push_back(byteAt(9 + 2 * static_cast<std::size_t>(i)));
        records.emplace_back(upper << 16 | address, bytes);
    }
    return records;
}

// Every word of the file lies in the part (program words, ID words, configuration word, EEPROM),
// and gpsim holds each program word as the file gives it.
void expectEveryWordInThePart(const std::string& text, const PicMemory& memory, const std::string& name) {
    for (const auto& [address, bytes] : dataRecords(text)) {
        const int last = address + static_cast<int>(bytes.size()) - 1;
        const bool program = last < 2 * kProgramWords;
        const bool inPart = program || (address >= 0x4000 && last < 0x4008) ||
                            (address >= 0x400E && last < 0x4010) || (address >= 0x4200 && last < 0x4300);
        EXPECT_TRUE(inPart) << name << ": bytes at 0x" << std::hex << address
                            << " lie beyond the part's memory";
        if (!program)
            continue;
        for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
            const int word = (address + static_cast<int>(i)) / 2;
            EXPECT_EQ(memory.program[static_cast<std::size_t>(word)], bytes[i + 1] << 8 | bytes[i])
                << name << ": word 0x" << std::hex << word;
        }
    }
}

void expectEepromAsShown(const fs::path& file, const PicMemory& memory) {
    ProgramRun shown = cli({"show", file.string(), "--json"});
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    const json eeprom = json::parse(shown.out).at("eeprom");
    ASSERT_EQ(eeprom.size(), static_cast<std::size_t>(kEepromBytes));
    for (int i = 0; i < kEepromBytes; ++i) {
        EXPECT_EQ(std::stoi(eeprom[static_cast<std::size_t>(i)].get<std::string>(), nullptr, 16),
                  memory.eeprom[static_cast<std::size_t>(i)])
            << file.filename() << ": EEPROM byte " << i;
    }
}

// The three code bytes of a row, worked out from the address the way the decoders read them (the
// MM trit code, the two bytes of a DCC accessory packet, the DCC vehicle address with its function
// code), independently of the program's code tables.

// Trit code of n (0..80): four base-3 digits, 0 -> 00, 1 -> 11, 2 -> 10, at bits 9-8, 7-6, 5-4, 3-2.
int tritCode(int n) {
    static constexpr int kBits[] = {0b00, 0b11, 0b10};
    int value = 0;
    for (int digit = 0; digit < 4; ++digit) {
        value |= kBits[n % 3] << (8 - 2 * digit);
        n /= 3;
    }
    return value;
}

std::array<int, 3> mmAccessoryCode(int address, bool green) {
    const int decoder = (address - 1) / 4 + 1;
    const int pair = (address - 1) % 4;
    static constexpr int kPairs[] = {0xC3, 0xF3, 0xCF, 0xFF};
    const int trit = decoder == 80 ? 0 : tritCode(decoder);
    int last = kPairs[pair];
    if (!green) // the 5th hex digit: C becomes 0, F becomes 3
        last = ((last >> 4) == 0xC ? 0x0 : 0x3) << 4 | (last & 0x0F);
    return {trit >> 8, trit & 0xFF, last};
}

std::array<int, 3> dccAccessoryCode(int address, bool green) {
    const int decoder = (address - 1) / 4 + 1;
    const int pair = (address - 1) % 4;
    const int a = 128 + decoder % 64;
    const int b = 128 + 16 * (7 - decoder / 64) + 8 + 2 * pair;
    std::array<int, 3> code{a ^ b, (2 * b) % 256, (4 * a + 1) % 256};
    if (green) { // 4th digit 0/4/8/C -> 2/6/A/E, then the 2nd digit within its pair
        code[1] |= 0x02;
        code[0] ^= 0x01;
    }
    return code;
}

std::array<int, 3> dccVehicleCode(int address, int function) {
    static constexpr int kFunctions[] = {0x81, 0x82, 0x84, 0x88, 0xB1, 0xB2,
                                         0xB4, 0xB8, 0xA1, 0xA2, 0xA4, 0xA8};
    int low = address % 256;
    int high = address / 256;
    if (low > 127 || high > 0)
        high += 192;
    return {kFunctions[function - 1], low, high};
}

void putRow(std::map<int, int>& eeprom, int row, const std::array<int, 3>& code) {
    const int base = row < 16 ? row : 64 + (row - 16);
    for (int i = 0; i < 3; ++i)
        eeprom[base + 16 * i] = code[static_cast<std::size_t>(i)];
}

class GpsimOracle : public testing::Test {
protected:
    void SetUp() override {
        if (!haveGpsim())
            GTEST_SKIP()
                << "gpsim (Debian package gpsim) is not installed: the check against a PIC simulator "
                   "is skipped";
    }
    test::ScratchFolder folder;
};

TEST_F(GpsimOracle, EveryDemoLoadsAsTheProgramShowsIt) {
    for (const KindInfo& info : kindsTable()) {
        for (Protocol protocol : {Protocol::MM, Protocol::DCC}) {
            const fs::path file = test::example(info.kind, protocol);
            SCOPED_TRACE(file.filename().string());
            const std::optional<PicMemory> memory = loadIntoGpsim(file);
            ASSERT_TRUE(memory) << "gpsim did not answer for every address";
            expectEepromAsShown(file, *memory);
            expectEveryWordInThePart(*test::readBytes(file), *memory, file.filename().string());
            EXPECT_EQ(memory->config, 0x3F50);
        }
    }
}

// One apply run: the settings, and what they ask for in the EEPROM (byte -> value) and in the
// table words (table entry -> the value of its retlw, or for pattern bits: entry -> mask and bits,
// the entry's other bits staying as they were).
struct ApplyCase {
    const char* name;
    int kind;
    Protocol protocol;
    std::string settings;
    std::map<int, int> eeprom;
    std::map<int, int> entries;
    std::map<int, std::pair<int, int>> entryBits;
};

std::vector<ApplyCase> applyCases() {
    std::vector<ApplyCase> cases;
    {
        ApplyCase c{"dcc-addresses-extra",
                    31,
                    Protocol::DCC,
                    R"({"outputs": [{"row": 1, "address": 1, "color": "green"},
                                    {"row": 2, "address": 2044, "color": "red"},
                                    {"row": 9, "address": 700, "color": "green"}],
                        "extra": {"value": 33}})",
                    {},
                    {},
                    {}};
        putRow(c.eeprom, 1, dccAccessoryCode(1, true));
        putRow(c.eeprom, 2, dccAccessoryCode(2044, false));
        putRow(c.eeprom, 9, dccAccessoryCode(700, true));
        c.eeprom[32] = 33;
        cases.push_back(c);
    }
    {
        ApplyCase c{"mm-addresses",
                    31,
                    Protocol::MM,
                    R"({"outputs": [{"row": 1, "address": 1, "color": "green"},
                                    {"row": 3, "address": 5, "color": "red"},
                                    {"row": 4, "address": 320, "color": "green"}]})",
                    {},
                    {},
                    {}};
        putRow(c.eeprom, 1, mmAccessoryCode(1, true));
        putRow(c.eeprom, 3, mmAccessoryCode(5, false));
        putRow(c.eeprom, 4, mmAccessoryCode(320, true));
        cases.push_back(c);
    }
    {
        ApplyCase c{"dcc-functions",
                    4,
                    Protocol::DCC,
                    R"({"outputs": [{"row": 1, "address": 3, "function": 5},
                                    {"row": 2, "address": 1000, "function": 12}]})",
                    {},
                    {},
                    {}};
        putRow(c.eeprom, 1, dccVehicleCode(3, 5));
        putRow(c.eeprom, 2, dccVehicleCode(1000, 12));
        cases.push_back(c);
    }
    // Servo curve 2 (entries 640..767): count 12, point 5 at position 77 with the relay on; the
    // pulse offset of servo 2 in EEPROM byte 98.
    cases.push_back({"servo",
                     42,
                     Protocol::MM,
                     R"({"servo": {"curves": [{"curve": 2, "count": 12,
                                   "points": [{}, {}, {}, {}, {}, {"position": 77, "relay": true}]}],
                                   "timings": [{"servo": 2, "offset": 99}]}})",
                     {{98, 99}},
                     {{640 + 101, 12}, {640 + 5, 77 | 0x80}},
                     {}});
    // Blink address 2 (entries 64..127): count 33 at entry 53; address 1: count 4, output 1 (bit 0
    // of entries 0..3) off, off, off, on.
    cases.push_back({"blink",
                     43,
                     Protocol::DCC,
                     R"({"blink": {"addresses": [{"address": 2, "count": 33},
                                   {"address": 1, "count": 4, "outputs": [{"output": 1, "steps": "0001"}]}]}})",
                     {},
                     {{64 + 53, 33}, {53, 4}},
                     {{0, {0x01, 0}}, {1, {0x01, 0}}, {2, {0x01, 0}}, {3, {0x01, 0x01}}}});
    // LED address 3 (entries 512..767): stretch 11 at entry 102; address 4 output 7 in use (bit 2
    // of entry 103).
    cases.push_back({"led",
                     45,
                     Protocol::MM,
                     R"({"led": {"addresses": [{"address": 3, "stretch": 11},
                                 {"address": 4, "outputs": [{"output": 7, "used": true}]}]}})",
                     {},
                     {{512 + 102, 11}},
                     {{768 + 103, {0x04, 0x04}}}});
    // Neon: DUNKEL 100 stored inverted at 0x20, the delay at 0x00.
    cases.push_back({"neon",
                     44,
                     Protocol::MM,
                     R"({"neon": {"dunkel": 100, "verzoegerung": 9}})",
                     {{0x20, 255 - 100}, {0x00, 9}},
                     {},
                     {}});
    // House light: the minimum at 0x0F.
    cases.push_back({"house", 15, Protocol::MM, R"({"house": {"minimum": 3}})", {{0x0F, 3}}, {}, {}});
    return cases;
}

TEST_F(GpsimOracle, AppliedSettingsChangeOnlyWhatTheyAskFor) {
    for (const ApplyCase& c : applyCases()) {
        SCOPED_TRACE(c.name);
        const fs::path input = test::example(c.kind, c.protocol);
        const fs::path settings = folder / "settings.json";
        test::writeBytes(settings, c.settings);
        const fs::path output = folder / (std::string{c.name} + ".hex");
        ProgramRun run = cli({"apply", input.string(), settings.string(), "-o", output.string()});
        ASSERT_EQ(run.exitCode, 0) << run.err;

        const std::optional<PicMemory> before = loadIntoGpsim(input);
        const std::optional<PicMemory> after = loadIntoGpsim(output);
        ASSERT_TRUE(before && after);
        expectEepromAsShown(output, *after);
        expectEveryWordInThePart(*test::readBytes(output), *after, c.name);
        EXPECT_EQ(after->config, before->config);

        for (int i = 0; i < kEepromBytes; ++i) {
            const auto asked = c.eeprom.find(i);
            const int expected =
                asked != c.eeprom.end() ? asked->second : before->eeprom[static_cast<std::size_t>(i)];
            EXPECT_EQ(after->eeprom[static_cast<std::size_t>(i)], expected) << "EEPROM byte " << i;
        }
        std::map<int, int> words; // program word -> what it must hold
        for (const auto& [entry, value] : c.entries)
            words[kTableWord + entry] = kRetlw | value;
        for (const auto& [entry, bits] : c.entryBits) {
            const int word = kTableWord + entry;
            const int value = before->program[static_cast<std::size_t>(word)] & 0xFF;
            words[word] = kRetlw | (value & ~bits.first) | bits.second;
        }
        // The case asks for something the input does not hold yet.
        bool changes = false;
        for (const auto& [byte, expected] : c.eeprom)
            changes = changes || before->eeprom[static_cast<std::size_t>(byte)] != expected;
        for (const auto& [word, expected] : words)
            changes = changes || before->program[static_cast<std::size_t>(word)] != expected;
        EXPECT_TRUE(changes);
        for (int word = 0; word < kProgramWords; ++word) {
            const auto asked = words.find(word);
            const int expected =
                asked != words.end() ? asked->second : before->program[static_cast<std::size_t>(word)];
            EXPECT_EQ(after->program[static_cast<std::size_t>(word)], expected)
                << "program word 0x" << std::hex << word;
        }
    }
}

} // namespace
} // namespace hq
