#include "demo/DemoFirmware.h"

#include "demo/DemoTables.h"
#include "encode/SaveEncoder.h"
#include "image/Checksum.h"
#include "image/Firmware.h"
#include "image/HexByte.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace hq {

namespace {

constexpr int kRecordBytes = 16;
constexpr int kSignatureAddress = 0x0010;
constexpr int kTurntableAddress = 0x0110;
constexpr int kCodeStart = 0x0020;
constexpr int kTableBlockBytes = 0x0200;
// The byte address after the last program word of a PIC16F628A (2048 words, 0x000 to 0x7FF): no
// demo puts code beyond it, as a programmer set to that part would refuse or drop such words.
constexpr int kProgramEnd = 0x1000;

// A small linear congruential generator, so every build writes the same demo files.
class DemoRandom {
public:
    explicit DemoRandom(std::uint32_t seed) : state_(seed) {}
    int below(int limit) {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<int>((state_ >> 8) % static_cast<std::uint32_t>(limit));
    }

private:
    std::uint32_t state_;
};

// One 14-bit PIC16 instruction word: mostly register moves, bit operations, literals and jumps.
int picWord(DemoRandom& random) {
    const int file = 0x0C + random.below(0x74); // general purpose and special registers
    const int bit = random.below(8);
    const int literal = random.below(256);
    const int target = random.below(0x500); // inside the code
    switch (random.below(14)) {
    case 0:
    case 1:
        return 0x3000 | literal; // movlw
    case 2:
    case 3:
        return 0x0080 | file; // movwf
    case 4:
        return 0x0800 | file; // movf f,w
    case 5:
        return 0x1400 | bit << 7 | file; // bsf
    case 6:
        return 0x1000 | bit << 7 | file; // bcf
    case 7:
        return 0x1C00 | bit << 7 | file; // btfss
    case 8:
        return 0x1800 | bit << 7 | file; // btfsc
    case 9:
        return 0x2800 | target; // goto
    case 10:
        return 0x2000 | target; // call
    case 11:
        return 0x0B80 | file; // decfsz f,f
    case 12:
        return 0x3900 | literal; // andlw
    default:
        return random.below(4) == 0 ? 0x0008 : 0x0A80 | file; // return / incf f,f
    }
}

std::string addressText(int address) {
    return byteHexText(address >> 8) + byteHexText(address & 0xFF);
}

// ":" + count + address + type 00 + the words low byte first + checksum.
std::string dataRecord(int address, const std::vector<int>& words) {
    std::string body = ":" + byteHexText(2 * static_cast<int>(words.size())) + addressText(address) + "00";
    for (int word : words)
        body += byteHexText(word & 0xFF) + byteHexText(word >> 8);
    return completeRecord(body).value_or(std::string{});
}

std::string codeRecord(int address, int words, DemoRandom& random) {
    std::vector<int> code;
    for (int i = 0; i < words; ++i)
        code.push_back(picWord(random));
    return dataRecord(address, code);
}

// The 32 retlw records of one table block; the blink firmware keeps only seven words in the last
// record of block 1.
void appendTableBlock(std::vector<std::string>& lines, const KindInfo& info, int block,
                      const ProgramTable& table) {
    const int address = 0x0600 + kTableBlockBytes * (block - 1);
    const bool shortLast = info.panel == Panel::Blink && block == 1;
    for (int j = 0; j < 32; ++j) {
        int words = (shortLast && j == 31) ? 7 : 8;
        std::vector<int> retlw;
        for (int k = 0; k < words; ++k)
            retlw.push_back(0x3400 | table[static_cast<std::size_t>(256 * (block - 1) + 8 * j + k)]);
        lines.push_back(dataRecord(address + kRecordBytes * j, retlw));
    }
}

std::string signatureLine(Protocol protocol, DecoderType type) {
    for (const ProtocolSignature& signature : protocolSignatures()) {
        if (signature.protocol == protocol && signature.type == type)
            return std::string{signature.line};
    }
    return {};
}

// Program code from 0x0020 on, with the table blocks at their fixed places in between, ending at the
// part's last program word at the latest.
void appendProgram(std::vector<std::string>& lines, const KindInfo& info, DemoRandom& random) {
    const std::vector<int> blocks = demoTableBlocks(info.kind);
    const ProgramTable table = demoProgramTable(info.kind);
    auto blockAt = [&](int address) {
        for (int block : blocks) {
            if (address == 0x0600 + kTableBlockBytes * (block - 1))
                return block;
        }
        return 0;
    };
    const int lastTable = blocks.empty() ? 0 : 0x0600 + kTableBlockBytes * blocks.back();

    int codeRecords = 150 + random.below(100);
    int address = kCodeStart;
    while ((codeRecords > 0 && address < kProgramEnd) || address < lastTable) {
        if (int block = blockAt(address)) {
            appendTableBlock(lines, info, block, table);
            address += kTableBlockBytes;
        } else if (codeRecords == 0) {
            address += kRecordBytes; // the code ended before the tables: leave a gap
        } else {
            if (address == kTurntableAddress && info.turntableLine)
                lines.emplace_back(info.matchingLine);
            else
                lines.push_back(codeRecord(address, 8, random));
            address += kRecordBytes;
            --codeRecords;
        }
    }
}

// The demo's outputs on consecutive addresses, each third accessory output red, the function
// numbers counting up; the extra value and the values of the special panels set as well.
void setDemoParameters(Firmware& firmware, GridValues& grid) {
    const Recognition& recognition = firmware.recognition;
    const bool vehicle = recognition.type == DecoderType::Fahrzeug;
    int output = 0;
    if (recognition.protocol != Protocol::None) {
        for (int r = 0; r < kRowCount; ++r) {
            if (recognition.rowCaption(r).empty())
                continue;
            int first = vehicle ? kDemoVehicleAddress : kDemoSwitchingAddress;
            grid.address[r] = first + output;
            if (vehicle)
                grid.function[r] = output % recognition.maxFunction + 1;
            else
                grid.redGreen[r] = output % 3 == 2 ? 0 : 1;
            ++output;
        }
    }
    if (const auto& extra = recognition.extra())
        grid.extra = std::min(kDemoExtraValue, extra->maximum);

    EepromImage& eeprom = firmware.eeprom();
    switch (recognition.panel()) {
    case Panel::Neon:
        eeprom.setValue(0x00, 6);        // delay 3 s
        eeprom.setValue(0x20, 255 - 40); // dark level 40
        break;
    case Panel::House:
        eeprom.setValue(0x0F, 5); // at least five outputs lit
        break;
    case Panel::Servo:
        for (int servo = 0; servo < 4; ++servo) {
            eeprom.setValue(96 + 2 * servo, 125); // pulse from 1.000 ms
            eeprom.setValue(97 + 2 * servo, 0);   // to 2.016 ms
        }
        break;
    default:
        break;
    }
}

} // namespace

DecoderType demoDefaultType(int kind) {
    switch (kind) {
    case 2:
    case 4:
    case 5:
    case 6:
    case 44:
        return DecoderType::Fahrzeug;
    default:
        return DecoderType::Schalt;
    }
}

std::string demoFileName(int kind, Protocol protocol) {
    std::string name = "demo-" + std::to_string(kind);
    if (protocol == Protocol::MM)
        name += "-mm";
    else if (protocol == Protocol::DCC)
        name += "-dcc";
    return name + ".hex";
}

std::string demoFirmwareText(int kind, Protocol protocol, DecoderType type) {
    const KindInfo* info = findKind(kind);
    if (!info)
        return {};
    if (type == DecoderType::None)
        type = demoDefaultType(kind);
    DemoRandom random(static_cast<std::uint32_t>(kind) * 7919u +
                      static_cast<std::uint32_t>(protocol) * 104729u + static_cast<std::uint32_t>(type));

    std::vector<std::string> lines;
    // The turntable firmwares are recognised at 0x0110; their reset vector is an ordinary one
    // (clrf PCLATH, goto 0x03A).
    lines.push_back(info->turntableLine ? dataRecord(0x0000, {0x018A, 0x283A})
                                        : std::string{info->matchingLine});
    lines.push_back(codeRecord(0x0004, 6, random)); // words 2..7, the interrupt vector at word 4
    std::string signature = signatureLine(protocol, type);
    lines.push_back(signature.empty() ? codeRecord(kSignatureAddress, 8, random) : signature);
    appendProgram(lines, *info, random);
    // ID words: hardware mark 1, version 0.41 in their low digits.
    lines.push_back(dataRecord(0x4000, {0x0001, 0x0000, 0x0004, 0x0001}));
    lines.push_back(dataRecord(0x400E, {0x3F50})); // configuration word
    for (int n = 0; n < 16; ++n)
        lines.push_back(dataRecord(0x4200 + kRecordBytes * n, std::vector<int>(8, 0x00FF))); // erased
    lines.emplace_back(":00000001FF");

    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";

    // The EEPROM is filled the way "HEX speichern" fills it.
    auto firmware = loadFirmware(text);
    if (!firmware)
        return {};
    GridValues grid = gridValuesFor(firmware->parameters);
    setDemoParameters(*firmware, grid);
    if (applyGrid(*firmware, grid))
        return {};
    return hexImageText(firmware->image);
}

} // namespace hq
