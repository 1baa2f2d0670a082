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
    return const_cast<int*>(static_cast<const PatternBank*>(this)->entry(address, offset));
}

const int* PatternBank::entry(int address, int offset) const {
    if (address < 1 || address > kPatternAddresses || offset < 0 || offset >= layout_->blockSize)
        return nullptr;
    return &table_[static_cast<std::size_t>(layout_->blockSize * (address - 1) + offset)];
}

int PatternBank::stepOffset(int output) const {
    return output <= kLowOutputs ? 0 : layout_->highStepOffset;
}

int PatternBank::stepMask(int output) const {
    return output <= kLowOutputs ? 1 << (output - 1) : 1 << (output - kLowOutputs - 1);
}

int PatternBank::usedEntry(int output) const {
    return output <= kLowOutputs ? layout_->flagsEntry : layout_->highFlagsEntry;
}

int PatternBank::usedMask(int output) const {
    return output <= kLowOutputs ? 0x10 << (output - 1) : 1 << (output - kLowOutputs - 1);
}

int PatternBank::count(int address) const {
    const int* value = entry(address, layout_->countEntry);
    return value ? std::clamp(*value, 1, layout_->maxCount) : 1;
}

int PatternBank::stretch(int address) const {
    const int* value = entry(address, layout_->stretchEntry);
    return value ? std::clamp(*value, 1, layout_->maxStretch) : 1;
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

bool PatternBank::loop(int address) const {
    const int* flags = entry(address, layout_->flagsEntry);
    return flags && (*flags & 1) != 0;
}

void PatternBank::setLoop(int address, bool on) {
    if (int* flags = entry(address, layout_->flagsEntry))
        *flags = on ? (*flags | 1) : (*flags & ~1);
}

bool PatternBank::outputUsed(int address, int output) const {
    if (!validOutput(output))
        return false;
    const int* flags = entry(address, usedEntry(output));
    return flags && (*flags & usedMask(output)) != 0;
}

void PatternBank::setOutputUsed(int address, int output, bool used) {
    if (!validOutput(output))
        return;
    if (int* flags = entry(address, usedEntry(output)))
        *flags = used ? (*flags | usedMask(output)) : (*flags & ~usedMask(output));
}

bool PatternBank::step(int address, int output, int index) const {
    if (!validOutput(output) || index < 0 || index >= count(address))
        return false;
    const int* value = entry(address, stepOffset(output) + index);
    return value && (*value & stepMask(output)) != 0;
}

bool PatternBank::setStep(int address, int output, int index, bool on) {
    if (!validOutput(output) || index < 0 || index >= count(address))
        return false;
    int* value = entry(address, stepOffset(output) + index);
    if (!value)
        return false;
    int before = *value;
    *value = on ? (*value | stepMask(output)) : (*value & ~stepMask(output));
    return *value != before;
}

std::string PatternBank::stepsText(int address, int output) const {
    std::string text;
    for (int i = 0; i < count(address); ++i)
        text += step(address, output, i) ? '1' : '0';
    return text;
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
