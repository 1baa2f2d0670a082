// One preview frame as the window computes it on every timer tick: the pattern step with the lamps of
// ten LED outputs, and the servo point with the arm's end point. A frame must cost far less than the
// 20 ms between firmware steps; the time per iteration is the time per frame.

#include "light/PatternBank.h"
#include "preview/PatternPreview.h"
#include "preview/PreviewPlayer.h"
#include "preview/ServoArm.h"
#include "preview/ServoPreview.h"

#include <benchmark/benchmark.h>

namespace {

// A looping LED pattern of 100 steps with all ten outputs in use.
hq::PatternBank ledBank() {
    hq::PatternBank bank(hq::kLedLayout);
    bank.setCount(2, 100);
    bank.setStretch(2, 3);
    bank.setLoop(2, true);
    for (int output = 1; output <= 10; ++output) {
        bank.setOutputUsed(2, output, true);
        for (int step = 0; step < 100; ++step)
            bank.setStep(2, output, step, (step + output) % 3 == 0);
    }
    return bank;
}

// A 100-point curve with the relay on in its second half.
hq::CurveBlock servoCurve() {
    hq::CurveBlock curve{};
    for (int i = 0; i < 100; ++i)
        curve[static_cast<std::size_t>(i)] = (i * 127 / 99) | (i >= 50 ? 0x80 : 0);
    curve[hq::kCurveCountEntry] = 100;
    curve[hq::kCurveStretchEntry] = 200;
    return curve;
}

void PatternPreviewFrame(benchmark::State& state) {
    const hq::PatternBank bank = ledBank();
    hq::PreviewPlayer player;
    player.setLength(hq::patternPlayLength(bank, 2));
    player.start(0);
    hq::Milliseconds now = 0;
    for (auto _ : state) {
        now += 17; // frames at an uneven rate, as a timer delivers them
        hq::PatternFrame frame = hq::patternFrame(bank, 2, player.elapsed(now));
        benchmark::DoNotOptimize(frame.lamps.data());
        benchmark::DoNotOptimize(frame.step);
    }
}
BENCHMARK(PatternPreviewFrame);

void ServoPreviewFrame(benchmark::State& state) {
    const hq::CurveBlock curve = servoCurve();
    hq::PreviewPlayer player;
    player.setLength(hq::servoPlayLength(curve));
    player.start(0);
    hq::Milliseconds now = 0;
    for (auto _ : state) {
        now = (now + 17) % hq::servoPlayLength(curve);
        const hq::ServoFrame frame = hq::servoFrame(curve, player.elapsed(now));
        const hq::ServoArmGeometry arm = hq::servoArmGeometry(frame.position, 320, 240);
        benchmark::DoNotOptimize(frame);
        benchmark::DoNotOptimize(arm);
    }
}
BENCHMARK(ServoPreviewFrame);

} // namespace

BENCHMARK_MAIN();
