// A table block holding a word that is not retlw is found, named, never rewritten, and a save that
// would change it is refused with the firmware left byte for byte as it was.

#include "encode/TableGuard.h"
#include "demo/DemoFirmware.h"
#include "encode/ProgramTable.h"
#include "image/Checksum.h"
#include "image/Firmware.h"
#include "light/PatternBank.h"
#include "settings/FirmwareSettings.h"

#include <gtest/gtest.h>

using namespace hq;

namespace {

Firmware demoOf(int kind) {
    auto loaded = loadFirmware(demoFirmwareText(kind, Protocol::DCC));
    EXPECT_TRUE(loaded.ok());
    return loaded.ok() ? *loaded : Firmware{};
}

int blockStart(const HexImage& image, int block) {
    int start = -1;
    for (int i = 0; i < image.lineCount; ++i) {
        if (image.lines[i].starts_with(programBlockKey(block)))
            start = i;
    }
    return start;
}

// Puts `word` (high byte first, "2805") as word k of record j of the block, with a fresh checksum.
void putWord(HexImage& image, int block, int j, int k, const std::string& word) {
    std::string& line = image.lines[blockStart(image, block) + j];
    std::string body = line.substr(0, line.size() - 2);
    body.replace(9 + 4 * static_cast<std::size_t>(k), 4, word.substr(2, 2) + word.substr(0, 2));
    line = *completeRecord(body);
}

std::vector<std::string> blockLines(const HexImage& image, int block) {
    const int start = blockStart(image, block);
    return {image.lines.begin() + start, image.lines.begin() + start + 32};
}

} // namespace

TEST(TableGuard, AWordThatIsNotRetlwIsFoundAndNamed) {
    Firmware firmware = demoOf(45);
    EXPECT_TRUE(guardedEditorBlocks(firmware.image, Panel::Led).empty()) << "the demos hold retlw only";
    putWord(firmware.image, 3, 2, 5, "2805"); // goto 0x005 at word 0x0500 + 16 + 5
    putWord(firmware.image, 3, 4, 0, "0008"); // a later one is not the one named

    const std::vector<GuardedBlock> guarded = guardedEditorBlocks(firmware.image, Panel::Led);
    ASSERT_EQ(guarded.size(), 1u);
    EXPECT_EQ(guarded[0].block, 3);
    EXPECT_EQ(guarded[0].line, blockStart(firmware.image, 3) + 3);
    EXPECT_EQ(guarded[0].wordAddress, 0x0515);
    EXPECT_EQ(guarded[0].word, "2805");
    EXPECT_EQ(guarded[0].reason,
              "Programm-Tabelle 3 (Programmspeicher 0x0500–0x05FF) enthält in Zeile " +
                  std::to_string(guarded[0].line) +
                  " an Adresse 0x0515 das Wort 0x2805, das kein retlw-Befehl (0x34nn) ist. "
                  "Sie wird nicht bearbeitet und beim Speichern unverändert übernommen.");
    EXPECT_TRUE(guardedEditorBlocks(firmware.image, Panel::Blink).empty()) << "block 3 is no blink table";
    EXPECT_EQ(guardedEditorBlocks(firmware.image, Panel::Servo).size(), 1u);
    EXPECT_EQ(editorProgramBlocks(Panel::Neon), std::vector<int>{});
}

// The blink firmware's last record of block 1 holds seven words; a full record's eighth word,
// which the short writer would drop, is looked at as well.
TEST(TableGuard, EveryWordARecordHoldsIsLookedAt) {
    Firmware firmware = demoOf(43);
    HexImage& image = firmware.image;
    std::string& last = image.lines[blockStart(image, 1) + 31];
    ASSERT_TRUE(last.starts_with(":0E07F000"));
    last = *completeRecord(":1007F000" + last.substr(9, 28) + "0528");
    ASSERT_TRUE(guardedProgramBlock(image, 1));
    EXPECT_EQ(guardedProgramBlock(image, 1)->wordAddress, 0x03FF);
}

// Every save of the editors' tables: a guarded block stays as it is while its entries are the ones
// it holds, and a change to it is refused naming the block and the word; blocks beside it are
// written as usual.
TEST(TableGuard, SavesLeaveAGuardedBlockAloneAndRefuseToChangeIt) {
    Firmware firmware = demoOf(45);
    putWord(firmware.image, 2, 0, 3, "2805");
    const std::vector<std::string> guardedBefore = blockLines(firmware.image, 2);
    const std::string before = hexImageText(firmware.image);

    FirmwareSettings settings = readSettings(firmware);
    PatternBank bank(kLedLayout);
    bank.table() = settings.patterns->table;
    bank.setStretch(1, bank.stretch(1) + 1); // block 1
    settings.patterns->table = bank.table();
    Firmware saved = firmware;
    ASSERT_FALSE(applySettings(saved, settings));
    EXPECT_EQ(blockLines(saved.image, 2), guardedBefore) << "untouched, not rewritten as retlw";
    EXPECT_NE(blockLines(saved.image, 1), blockLines(firmware.image, 1));
    EXPECT_EQ(readSettings(saved).patterns->table[0 + kLedLayout.stretchEntry], bank.stretch(1));

    bank.setStretch(2, bank.stretch(2) + 1); // block 2 as well
    settings.patterns->table = bank.table();
    auto problem = applySettings(firmware, settings);
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->message,
              "Die Programm-Tabelle 2 (Programmspeicher 0x0400–0x04FF) kann nicht geändert "
              "werden: sie enthält in Zeile " +
                  std::to_string(blockStart(firmware.image, 2) + 1) +
                  " an Adresse 0x0403 das Wort 0x2805, das kein retlw-Befehl (0x34nn) ist.\n"
                  "Die Tabelle bleibt, wie sie ist; nichts wurde gespeichert.");
    EXPECT_TRUE(hexImageText(firmware.image) == before);

    // The writer itself, as the servo editor uses it, holds to the same.
    ProgramTable table = settings.patterns->table;
    HexImage image = firmware.image;
    EXPECT_FALSE(writeProgramBlock(image, 2, table));
    table[256 + kLedLayout.stretchEntry] =
        readSettings(firmware).patterns->table[256 + kLedLayout.stretchEntry];
    ASSERT_TRUE(writeProgramBlock(image, 2, table));
    EXPECT_EQ(blockLines(image, 2), guardedBefore);
}

TEST(TableGuard, TheServoTablesAreGuardedAlike) {
    Firmware firmware = demoOf(42);
    putWord(firmware.image, 4, 31, 7, "3FFF");
    const std::string before = hexImageText(firmware.image);
    FirmwareSettings settings = readSettings(firmware);
    settings.servo->data.curve(1)[3] ^= 1; // block 3: written, block 4 left alone
    Firmware saved = firmware;
    ASSERT_FALSE(applySettings(saved, settings));
    EXPECT_EQ(blockLines(saved.image, 4), blockLines(firmware.image, 4));
    settings.servo->data.curve(4)[3] ^= 1; // block 4: refused
    auto problem = applySettings(firmware, settings);
    ASSERT_TRUE(problem);
    EXPECT_NE(problem->message.find("Programm-Tabelle 4"), std::string::npos);
    EXPECT_NE(problem->message.find("das Wort 0x3FFF"), std::string::npos);
    EXPECT_TRUE(hexImageText(firmware.image) == before);
}
