#include "demo/DemoTables.h"

#include <cmath>
#include <numbers>

namespace hq {

namespace {

constexpr int kServoKind = 42;
constexpr int kBlinkKind = 43;
constexpr int kLedKind = 45;

void set(ProgramTable& table, int index, int value) {
    table[static_cast<std::size_t>(index)] = value & 0xFF;
}

// Curve block N (1..4) of the servo firmware: 128 entries from 512 + 128 (N - 1).
// Entries 0..99 are points (bit 7 the relay), 100 the flag byte, 101 the point count, 102 the
// stretch, 103/104 and 106/107 the two address rows of servo N.
void servoCurve(ProgramTable& table, int curve) {
    const int base = 512 + 128 * (curve - 1);
    constexpr int counts[] = {10, 10, 20, 30};
    constexpr int stretches[] = {5, 5, 10, 4};
    constexpr int flags[] = {0x00, 0x02, 0x04, 0x80};
    const int n = counts[curve - 1];
    for (int i = 0; i < n; ++i) {
        double t = static_cast<double>(i) / (n - 1);
        int position = 0;
        switch (curve) {
        case 1: // rising straight line, relay switching over half way
            position = static_cast<int>(127 * t) | (2 * i >= n ? 0x80 : 0);
            break;
        case 2: // the way back
            position = static_cast<int>(127 * (1 - t));
            break;
        case 3: // quarter sine: slow start, slow stop
            position = static_cast<int>(63 - 63 * std::cos(std::numbers::pi * t));
            break;
        default: // half sine: out and back again, relay on while out
            position = static_cast<int>(63 - 63 * std::cos(2 * std::numbers::pi * t));
            position |= (position > 63 ? 0x80 : 0);
            break;
        }
        set(table, base + i, position);
    }
    set(table, base + 100, flags[curve - 1]);
    set(table, base + 101, n);
    set(table, base + 102, stretches[curve - 1]);
    const int servoBit = 1 << (curve - 1);
    // Address aN starts curve N on servo N with relay N; address a(N+4) stops it.
    set(table, base + 103, servoBit | 0x00);
    set(table, base + 104, (0x10 << (curve - 1)) | servoBit);
    set(table, base + 106, servoBit | 0x20);
    set(table, base + 107, (0x10 << (curve - 1)) | servoBit);
}

// One 64-entry pattern of the blink firmware: steps at 0..52, count 53, stretch 54, flags 55.
void blinkPattern(ProgramTable& table, int address, const std::vector<int>& steps, int stretch, int flags) {
    const int base = 64 * (address - 1);
    for (std::size_t i = 0; i < steps.size(); ++i)
        set(table, base + static_cast<int>(i), steps[i]);
    set(table, base + 53, static_cast<int>(steps.size()));
    set(table, base + 54, stretch);
    set(table, base + 55, flags);
}

void blinkPatterns(ProgramTable& table) {
    constexpr int loop = 0x01;
    constexpr int outputs12 = 0x30;
    constexpr int outputs34 = 0xC0;
    constexpr int allOutputs = 0xF0;
    blinkPattern(table, 1, {0x01, 0x02}, 25, loop | outputs12);                          // alternating pair
    blinkPattern(table, 2, {0x01, 0x02, 0x04, 0x08, 0x04, 0x02}, 10, loop | allOutputs); // running light
    blinkPattern(table, 3, {0x0C, 0x00, 0x0C, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}, 5,
                 loop | outputs34); // double flash
    std::vector<int> rising;
    for (int i = 0; i < 20; ++i)
        rising.push_back((1 << (i / 5 + 1)) - 1); // outputs switch on one after another, once
    blinkPattern(table, 4, rising, 20, allOutputs);
}

// One 256-entry block of the LED firmware: outputs 1..4 in bits 0..3 of entries 0..99, outputs
// 5..10 in bits 0..5 of entries 128..227; flags 100, count 101, stretch 102, flags 103. Each
// step has bit 0 for output 1 .. bit 9 for output 10.
void ledPattern(ProgramTable& table, int address, const std::vector<int>& steps, int stretch, bool loop,
                int usedOutputs) {
    const int base = 256 * (address - 1);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        set(table, base + static_cast<int>(i), steps[i] & 0x0F);
        set(table, base + 128 + static_cast<int>(i), (steps[i] >> 4) & 0x3F);
    }
    set(table, base + 100, (loop ? 0x01 : 0x00) | ((usedOutputs & 0x0F) << 4));
    set(table, base + 101, static_cast<int>(steps.size()));
    set(table, base + 102, stretch);
    set(table, base + 103, (usedOutputs >> 4) & 0x3F);
}

void ledPatterns(ProgramTable& table) {
    constexpr int allOutputs = 0x3FF;
    std::vector<int> running;
    for (int i = 0; i < 10; ++i)
        running.push_back(1 << i);
    ledPattern(table, 1, running, 10, true, allOutputs);

    ledPattern(table, 2, {allOutputs, 0}, 25, true, allOutputs);

    std::vector<int> bar; // grows to all ten outputs and shrinks again
    for (int i = 0; i < 20; ++i) {
        int lit = i < 10 ? i + 1 : 19 - i;
        bar.push_back((1 << lit) - 1);
    }
    ledPattern(table, 3, bar, 5, true, allOutputs);

    std::vector<int> flicker; // six outputs flickering like a fire
    unsigned state = 0x2F6Bu;
    for (int i = 0; i < 50; ++i) {
        state = state * 1103515245u + 12345u;
        flicker.push_back(static_cast<int>((state >> 16) & 0x3F));
    }
    ledPattern(table, 4, flicker, 3, true, 0x3F);
}

} // namespace

std::vector<int> demoTableBlocks(int kind) {
    switch (kind) {
    case kServoKind:
        return {3, 4};
    case kBlinkKind:
        return {1};
    case kLedKind:
        return {1, 2, 3, 4};
    default:
        return {};
    }
}

ProgramTable demoProgramTable(int kind) {
    ProgramTable table{};
    switch (kind) {
    case kServoKind:
        for (int curve = 1; curve <= 4; ++curve)
            servoCurve(table, curve);
        break;
    case kBlinkKind:
        blinkPatterns(table);
        break;
    case kLedKind:
        ledPatterns(table);
        break;
    default:
        break;
    }
    return table;
}

} // namespace hq
