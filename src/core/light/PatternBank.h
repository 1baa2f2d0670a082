#pragma once
// The four on/off patterns of the blink or the LED firmware, held in a copy of the program-memory
// table: the editors change this copy and write it back into the HEX image when the user accepts.

#include "Result.h"
#include "encode/ProgramTable.h"
#include "image/HexImage.h"
#include "light/PatternLayout.h"
#include "light/PatternView.h"

#include <string>

namespace hq {

class PatternBank {
public:
    // All entries zero, as before a firmware is read.
    explicit PatternBank(const PatternLayout& layout);

    const PatternLayout& layout() const { return *layout_; }
    const ProgramTable& table() const { return table_; }
    ProgramTable& table() { return table_; }

    // Fills the table afresh from the image's program-memory blocks; entries whose word is not a hex
    // byte stay zero. False when a block of the firmware is missing (its entries stay zero).
    bool read(const HexImage& image);
    // Writes the table into the image's blocks (the blink firmware's block 1 with seven words in its
    // last record). Stops at the first block that cannot be written and returns its message.
    Status write(HexImage& image) const;

    // Addresses are 1..4, outputs 1..layout().outputs, steps 0..count-1; other arguments are ignored
    // by the setters and read as off / zero by the getters.

    // The reads are those of PatternView.
    PatternView view() const { return PatternView(*layout_, table_); }

    // The stored count and stretch, clamped to 1..maxCount and 1..maxStretch.
    int count(int address) const { return view().count(address); }
    int stretch(int address) const { return view().stretch(address); }
    // Store a count or stretch clamped to its range; true when the entry changed.
    bool setCount(int address, int wanted);
    bool setStretch(int address, int wanted);

    bool loop(int address) const { return view().loop(address); }
    void setLoop(int address, bool on);

    bool outputUsed(int address, int output) const { return view().outputUsed(address, output); }
    void setOutputUsed(int address, int output, bool used);

    bool step(int address, int output, int index) const { return view().step(address, output, index); }
    // True when the bit changed.
    bool setStep(int address, int output, int index, bool on);

    // The steps 0..count-1 of one output as '0'/'1' characters.
    std::string stepsText(int address, int output) const { return view().stepsText(address, output); }

    // "von #n": the first layout().copyLength entries of block `from` over those of block `to`.
    void copy(int from, int to);

private:
    int* entry(int address, int offset);
    bool validOutput(int output) const { return output >= 1 && output <= layout_->outputs; }

    const PatternLayout* layout_;
    ProgramTable table_{};
};

// "Zeit-Raster = " 20·stretch " ms".
std::string timeGridText(int stretch);
// "Gesamtzeit = " 20·stretch·count " ms".
std::string totalTimeText(int stretch, int count);

} // namespace hq
