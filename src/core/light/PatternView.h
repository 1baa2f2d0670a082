#pragma once
// Reading one blink or LED pattern table where it lies, without a copy: count, stretch, loop, the
// outputs in use and the steps of each address, as the firmware's layout places them. The window's
// document keeps the pattern table; its views and the preview read it through this while it stays
// unchanged, and PatternBank reads its own table the same way.

#include "encode/ProgramTable.h"
#include "light/PatternLayout.h"

#include <string>

namespace hq {

class PatternBank;

class PatternView {
public:
    // `layout` and `table` must outlive the view.
    PatternView(const PatternLayout& layout, const ProgramTable& table) : layout_(&layout), table_(&table) {}
    // The bank's table as it stands; the view follows the bank's later changes.
    PatternView(const PatternBank& bank); // NOLINT(google-explicit-constructor): a bank is read as its view

    const PatternLayout& layout() const { return *layout_; }
    const ProgramTable& table() const { return *table_; }

    // Addresses are 1..4, outputs 1..layout().outputs, steps 0..count-1; other arguments read as
    // off / zero.

    // The stored count and stretch, clamped to 1..maxCount and 1..maxStretch.
    int count(int address) const;
    int stretch(int address) const;
    bool loop(int address) const;
    bool outputUsed(int address, int output) const;
    bool step(int address, int output, int index) const;
    // The steps 0..count-1 of one output as '0'/'1' characters.
    std::string stepsText(int address, int output) const;

    // Whether `address` holds the same entries in both tables, as far as the firmware stores them
    // (the blink firmware never stores entry 255). Both views must share the layout.
    bool sameAddress(const PatternView& other, int address) const;

    // Where outputs keep their step bits and use flags (shared with PatternBank's setters).
    static int stepOffset(const PatternLayout& layout, int output);
    static int stepMask(int output);
    static int usedEntry(const PatternLayout& layout, int output);
    static int usedMask(int output);

private:
    // The entry at `offset` of `address`'s block, or null outside the table.
    const int* entry(int address, int offset) const;
    bool validOutput(int output) const { return output >= 1 && output <= layout_->outputs; }

    const PatternLayout* layout_;
    const ProgramTable* table_;
};

} // namespace hq
