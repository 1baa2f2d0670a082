#include "encode/ProgramTable.h"

#include "encode/TableGuard.h"
#include "image/Checksum.h"
#include "image/HexByte.h"

namespace hq {

namespace {

constexpr int kRecordsPerBlock = 32;
constexpr int kWordsPerRecord = 8;

// Byte address of the block's first record: 0x0600, 0x0800, 0x0A00, 0x0C00.
int blockAddress(int block) {
    return 0x0600 + 0x0200 * (block - 1);
}

std::string addressDigits(int address) {
    return byteHexText(address >> 8) + byteHexText(address & 0xFF);
}

// The last line whose first nine characters equal the block's key, or -1.
int startLine(const HexImage& image, int block) {
    const std::string key = programBlockKey(block);
    int start = -1;
    for (int i = 0; i < image.lineCount; ++i) {
        if (image.lines[i].starts_with(key))
            start = i;
    }
    return start;
}

std::string recordHead(int count, int address) {
    return ":" + byteHexText(count) + addressDigits(address) + "00";
}

std::string problemText(int start) {
    return "Die Programm-Tabelle ab Zeile " + std::to_string(start + 1) +
           " besteht nicht aus 32 aufeinander folgenden Zeilen in Adress-Reihenfolge.\n"
           "Die Tabelle wird nicht geschrieben.";
}

// Checks that the 32 lines from `start` are the block's records in address order; the last record
// of block 1 may be the seven-word one the blink firmware keeps.
bool blockLinesInOrder(const HexImage& image, int block, int start) {
    if (start + kRecordsPerBlock > image.lineCount)
        return false;
    for (int j = 0; j < kRecordsPerBlock; ++j) {
        const std::string& line = image.lines[start + j];
        int address = blockAddress(block) + 16 * j;
        bool full = line.starts_with(recordHead(16, address));
        bool shortLast = block == 1 && j == kRecordsPerBlock - 1 && line.starts_with(recordHead(14, address));
        if (!full && !shortLast)
            return false;
    }
    return true;
}

Status writeBlock(HexImage& image, int block, const ProgramTable& table, bool shortLast) {
    int start = startLine(image, block);
    if (start < 0)
        return Error{"Die Programm-Tabelle " + programBlockKey(block) +
                     " fehlt im HEX-File; sie wird nicht geschrieben."};
    if (!blockLinesInOrder(image, block, start))
        return Error{problemText(start)};
    if (auto guarded = guardedProgramBlock(image, block)) {
        // A block holding code stays as it is: untouched when its entries are unchanged, refused
        // when they are not.
        ProgramTable inFile = table;
        readProgramBlock(image, block, inFile);
        const int written = shortLast ? 255 : 256;
        const int first = 256 * (block - 1);
        for (int i = first; i < first + written; ++i) {
            if (inFile[static_cast<std::size_t>(i)] != table[static_cast<std::size_t>(i)])
                return Error{guardedBlockRefusal(*guarded)};
        }
        return {};
    }

    const int base = 256 * (block - 1);
    std::array<std::string, kRecordsPerBlock> records;
    for (int j = 0; j < kRecordsPerBlock; ++j) {
        int words = (shortLast && j == kRecordsPerBlock - 1) ? 7 : kWordsPerRecord;
        std::string body = recordHead(2 * words, blockAddress(block) + 16 * j);
        for (int k = 0; k < words; ++k) {
            int value = table[static_cast<std::size_t>(base + kWordsPerRecord * j + k)];
            if (value < 0 || value > 255)
                return Error{"Problem bei der Checksummen-Berechnung in Zeile " + std::to_string(j)};
            body += byteHexText(value) + "34";
        }
        auto record = completeRecord(body);
        if (!record)
            return Error{"Problem bei der Checksummen-Berechnung in Zeile " + std::to_string(j)};
        records[j] = *record;
    }
    for (int j = 0; j < kRecordsPerBlock; ++j)
        image.lines[start + j] = std::move(records[j]);
    return {};
}

} // namespace

std::string programBlockKey(int block) {
    return recordHead(16, blockAddress(block));
}

bool readProgramBlock(const HexImage& image, int block, ProgramTable& table) {
    if (block < 1 || block > 4)
        return false;
    int start = startLine(image, block);
    if (start < 0)
        return false;
    const int base = 256 * (block - 1);
    for (int j = 0; j < kRecordsPerBlock && start + j < kLineTableSize; ++j) {
        const std::string& line = image.lines[start + j];
        for (int k = 0; k < kWordsPerRecord; ++k) {
            if (auto value = hexByteValue(pairAt(line, static_cast<std::size_t>(10 + 4 * k))))
                table[static_cast<std::size_t>(base + kWordsPerRecord * j + k)] = *value;
        }
    }
    return true;
}

Status writeProgramBlock(HexImage& image, int block, const ProgramTable& table) {
    if (block < 1 || block > 4)
        return Error{"Unbekannte Programm-Tabelle " + std::to_string(block)};
    return writeBlock(image, block, table, false);
}

Status writeProgramBlock1Short(HexImage& image, const ProgramTable& table) {
    return writeBlock(image, 1, table, true);
}

} // namespace hq
