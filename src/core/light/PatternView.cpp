#include "light/PatternView.h"

#include "light/PatternBank.h"

#include <algorithm>

namespace hq {

PatternView::PatternView(const PatternBank& bank) : layout_(&bank.layout()), table_(&bank.table()) {}

int PatternView::stepOffset(const PatternLayout& layout, int output) {
    return output <= kLowOutputs ? 0 : layout.highStepOffset;
}

int PatternView::stepMask(int output) {
    return output <= kLowOutputs ? 1 << (output - 1) : 1 << (output - kLowOutputs - 1);
}

int PatternView::usedEntry(const PatternLayout& layout, int output) {
    return output <= kLowOutputs ? layout.flagsEntry : layout.highFlagsEntry;
}

int PatternView::usedMask(int output) {
    return output <= kLowOutputs ? 0x10 << (output - 1) : 1 << (output - kLowOutputs - 1);
}

const int* PatternView::entry(int address, int offset) const {
    if (address < 1 || address > kPatternAddresses || offset < 0 || offset >= layout_->blockSize)
        return nullptr;
    return &(*table_)[static_cast<std::size_t>(layout_->blockSize * (address - 1) + offset)];
}

int PatternView::count(int address) const {
    const int* value = entry(address, layout_->countEntry);
    return value ? std::clamp(*value, 1, layout_->maxCount) : 1;
}

int PatternView::stretch(int address) const {
    const int* value = entry(address, layout_->stretchEntry);
    return value ? std::clamp(*value, 1, layout_->maxStretch) : 1;
}

bool PatternView::loop(int address) const {
    const int* flags = entry(address, layout_->flagsEntry);
    return flags && (*flags & 1) != 0;
}

bool PatternView::outputUsed(int address, int output) const {
    if (!validOutput(output))
        return false;
    const int* flags = entry(address, usedEntry(*layout_, output));
    return flags && (*flags & usedMask(output)) != 0;
}

bool PatternView::step(int address, int output, int index) const {
    if (!validOutput(output) || index < 0 || index >= count(address))
        return false;
    const int* value = entry(address, stepOffset(*layout_, output) + index);
    return value && (*value & stepMask(output)) != 0;
}

std::string PatternView::stepsText(int address, int output) const {
    std::string text;
    for (int i = 0; i < count(address); ++i)
        text += step(address, output, i) ? '1' : '0';
    return text;
}

bool PatternView::sameAddress(const PatternView& other, int address) const {
    if (address < 1 || address > kPatternAddresses)
        return true;
    const int stored = layout_->programBlocks * 256 - (layout_->shortBlock1 ? 1 : 0);
    const auto first = static_cast<std::ptrdiff_t>((address - 1) * layout_->blockSize);
    const auto last = static_cast<std::ptrdiff_t>(std::min(address * layout_->blockSize, stored));
    return std::equal(table_->begin() + first, table_->begin() + last, other.table_->begin() + first);
}

} // namespace hq
