#include "light/PatternBank.h"

#include <algorithm>

namespace hq {

PatternBank::PatternBank(const PatternLayout& layout) : layout_(&layout) {}

bool PatternBank::read(const HexImage& image) {
    table_.fill(0);
    bool complete = true;
    for (int block = 1; block <= layout_->programBlocks; ++block)
        complete = readProgramBlock(image, block, table_) && complete;
    return complete;
}

Status PatternBank::write(HexImage& image) const {
    for (int block = 1; block <= layout_->programBlocks; ++block) {
        Status status = (block == 1 && layout_->shortBlock1) ? writeProgramBlock1Short(image, table_)
                                                             : writeProgramBlock(image, block, table_);
        if (!status)
            return status;
    }
    return Status::success();
}

int* PatternBank::entry(int address, int offset) {
    if (address < 1 || address > kPatternAddresses || offset < 0 || offset >= layout_->blockSize)
        return nullptr;
    return &table_[static_cast<std::size_t>(layout_->blockSize * (address - 1) + offset)];
}

bool PatternBank::setCount(int address, int wanted) {
    int* value = entry(address, layout_->countEntry);
    if (!value)
        return false;
    int clamped = std::clamp(wanted, 1, layout_->maxCount);
    bool changed = *value != clamped;
    *value = clamped;
    return changed;
}

bool PatternBank::setStretch(int address, int wanted) {
    int* value = entry(address, layout_->stretchEntry);
    if (!value)
        return false;
    int clamped = std::clamp(wanted, 1, layout_->maxStretch);
    bool changed = *value != clamped;
    *value = clamped;
    return changed;
}

void PatternBank::setLoop(int address, bool on) {
    if (int* flags = entry(address, layout_->flagsEntry))
        *flags = on ? (*flags | 1) : (*flags & ~1);
}

void PatternBank::setOutputUsed(int address, int output, bool used) {
    if (!validOutput(output))
        return;
    if (int* flags = entry(address, PatternView::usedEntry(*layout_, output)))
        *flags = used ? (*flags | PatternView::usedMask(output)) : (*flags & ~PatternView::usedMask(output));
}

bool PatternBank::setStep(int address, int output, int index, bool on) {
    if (!validOutput(output) || index < 0 || index >= count(address))
        return false;
    int* value = entry(address, PatternView::stepOffset(*layout_, output) + index);
    if (!value)
        return false;
    int before = *value;
    *value = on ? (*value | PatternView::stepMask(output)) : (*value & ~PatternView::stepMask(output));
    return *value != before;
}

void PatternBank::copy(int from, int to) {
    const int* source = entry(from, 0);
    int* target = entry(to, 0);
    if (!source || !target || source == target)
        return;
    std::copy(source, source + layout_->copyLength, target);
}

std::string timeGridText(int stretch) {
    return "Zeit-Raster = " + std::to_string(20 * stretch) + " ms";
}

std::string totalTimeText(int stretch, int count) {
    return "Gesamtzeit = " + std::to_string(20 * stretch * count) + " ms";
}

} // namespace hq
