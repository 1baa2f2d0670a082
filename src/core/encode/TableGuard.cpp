// A record's words are read as far as its byte count says (the blink firmware's last record of block
// 1 holds seven), so no word the file holds escapes the check and no missing word is invented.

#include "encode/TableGuard.h"

#include "encode/ProgramTable.h"
#include "image/HexByte.h"

#include <cstdio>

namespace hq {

namespace table_guard {
namespace {

constexpr int kRecordsPerBlock = 32;
constexpr std::string_view kRetlwHigh = "34";

std::string hexWord(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(value));
    return text;
}

// "Programm-Tabelle 1 (Programmspeicher 0x0300–0x03FF)"
std::string blockName(int block) {
    const int first = 0x0300 + 0x0100 * (block - 1);
    return "Programm-Tabelle " + std::to_string(block) + " (Programmspeicher " + hexWord(first) + "–" +
           hexWord(first + 0xFF) + ")";
}

std::string wordText(const GuardedBlock& guarded) {
    const std::string word =
        guarded.word.size() == 4 ? "das Wort 0x" + guarded.word : std::string{"ein unvollständiges Wort"};
    return "in Zeile " + std::to_string(guarded.line) + " an Adresse " + hexWord(guarded.wordAddress) + " " +
           word + ", das kein retlw-Befehl (0x34nn) ist";
}

int startLine(const HexImage& image, int block) {
    const std::string key = programBlockKey(block);
    int start = -1;
    for (int i = 0; i < image.lineCount; ++i) {
        if (image.lines[i].starts_with(key))
            start = i;
    }
    return start;
}

} // namespace
} // namespace table_guard

std::optional<GuardedBlock> guardedProgramBlock(const HexImage& image, int block) {
    namespace tg = table_guard;
    if (block < 1 || block > 4)
        return std::nullopt;
    const int start = tg::startLine(image, block);
    if (start < 0)
        return std::nullopt;
    for (int j = 0; j < tg::kRecordsPerBlock && start + j < image.lineCount; ++j) {
        const std::string& line = image.lines[start + j];
        const std::optional<int> count = hexByteValue(pairAt(line, 2));
        const std::optional<int> high = hexByteValue(pairAt(line, 4));
        const std::optional<int> low = hexByteValue(pairAt(line, 6));
        if (!count || !high || !low)
            continue; // not a record: the writer refuses the block before writing anything
        const int recordWord = (*high << 8 | *low) / 2;
        for (int k = 0; k < *count / 2; ++k) {
            const std::string_view lowByte = pairAt(line, static_cast<std::size_t>(10 + 4 * k));
            const std::string_view highByte = pairAt(line, static_cast<std::size_t>(12 + 4 * k));
            if (highByte == tg::kRetlwHigh)
                continue;
            GuardedBlock guarded;
            guarded.block = block;
            guarded.line = start + j + 1;
            guarded.wordAddress = recordWord + k;
            guarded.word = std::string{highByte} + std::string{lowByte};
            guarded.reason = tg::blockName(block) + " enthält " + tg::wordText(guarded) +
                             ". Sie wird nicht bearbeitet und beim Speichern unverändert übernommen.";
            return guarded;
        }
    }
    return std::nullopt;
}

std::vector<int> editorProgramBlocks(Panel panel) {
    switch (panel) {
    case Panel::Servo:
        return {3, 4};
    case Panel::Blink:
        return {1};
    case Panel::Led:
        return {1, 2, 3, 4};
    default:
        return {};
    }
}

std::vector<GuardedBlock> guardedEditorBlocks(const HexImage& image, Panel panel) {
    std::vector<GuardedBlock> guarded;
    for (int block : editorProgramBlocks(panel)) {
        if (auto found = guardedProgramBlock(image, block))
            guarded.push_back(std::move(*found));
    }
    return guarded;
}

std::string guardedBlockRefusal(const GuardedBlock& guarded) {
    return "Die " + table_guard::blockName(guarded.block) + " kann nicht geändert werden: sie enthält " +
           table_guard::wordText(guarded) + ".\nDie Tabelle bleibt, wie sie ist; nichts wurde gespeichert.";
}

} // namespace hq
