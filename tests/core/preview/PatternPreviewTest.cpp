// The pattern preview: the step shown after a given time, and the lamps of a step.

#include "preview/PatternPreview.h"

#include <gtest/gtest.h>

using namespace hq;

namespace {

PatternStep at(Milliseconds elapsed, int count, int stretch, bool loop) {
    return patternStepAt(elapsed, count, stretch, loop);
}

} // namespace

TEST(PatternStepAt, StepsChangeExactlyAtTheEdge) {
    // Four steps of 20 ms.
    EXPECT_EQ(at(0, 4, 1, false), (PatternStep{0, false}));
    EXPECT_EQ(at(19, 4, 1, false), (PatternStep{0, false}));
    EXPECT_EQ(at(20, 4, 1, false), (PatternStep{1, false}));
    EXPECT_EQ(at(59, 4, 1, false), (PatternStep{2, false}));
    EXPECT_EQ(at(60, 4, 1, false), (PatternStep{3, false}));
    EXPECT_EQ(at(79, 4, 1, false), (PatternStep{3, false}));
}

TEST(PatternStepAt, AfterTheEndWithAndWithoutLoop) {
    EXPECT_EQ(at(80, 4, 1, false), (PatternStep{3, true})) << "the last step holds";
    EXPECT_EQ(at(100000, 4, 1, false), (PatternStep{3, true}));
    EXPECT_EQ(at(80, 4, 1, true), (PatternStep{0, false})) << "again from the start";
    EXPECT_EQ(at(99, 4, 1, true), (PatternStep{0, false}));
    EXPECT_EQ(at(100, 4, 1, true), (PatternStep{1, false}));
    EXPECT_EQ(at(1000, 4, 1, true), (PatternStep{2, false}));
    // Days of looping do not overflow.
    EXPECT_EQ(at(Milliseconds{5'000'000'000'000}, 7, 3, true).step,
              static_cast<int>(5'000'000'000'000 / 60 % 7));
}

TEST(PatternStepAt, CountOneAndStretch200) {
    EXPECT_EQ(at(0, 1, 1, false), (PatternStep{0, false}));
    EXPECT_EQ(at(19, 1, 1, false), (PatternStep{0, false}));
    EXPECT_EQ(at(20, 1, 1, false), (PatternStep{0, true}));
    EXPECT_EQ(at(5000, 1, 1, true), (PatternStep{0, false}));

    // 4 s a step.
    EXPECT_EQ(at(3999, 50, 200, false), (PatternStep{0, false}));
    EXPECT_EQ(at(4000, 50, 200, false), (PatternStep{1, false}));
    EXPECT_EQ(at(50 * 4000 - 1, 50, 200, false), (PatternStep{49, false}));
    EXPECT_EQ(at(50 * 4000, 50, 200, false), (PatternStep{49, true}));
    EXPECT_EQ(at(50 * 4000, 50, 200, true), (PatternStep{0, false}));
}

TEST(PatternStepAt, ALateFrameSkipsSteps) {
    // Frames at 0, 20 and then 130 ms: the third frame shows step 6, not step 2.
    EXPECT_EQ(at(0, 10, 1, false).step, 0);
    EXPECT_EQ(at(20, 10, 1, false).step, 1);
    EXPECT_EQ(at(130, 10, 1, false).step, 6);
}

TEST(PatternStepAt, OddArgumentsAreHarmless) {
    EXPECT_EQ(at(-50, 4, 1, false), (PatternStep{0, false}));
    EXPECT_EQ(at(-50, 4, 1, true), (PatternStep{0, false}));
    EXPECT_EQ(at(25, 0, 1, false), (PatternStep{0, true})) << "count 0 counts as 1";
    EXPECT_EQ(at(25, -3, 1, true), (PatternStep{0, false}));
    EXPECT_EQ(at(25, 4, 0, false), (PatternStep{1, false})) << "stretch 0 counts as 1";
    EXPECT_EQ(stretchInterval(-7), 20);
    EXPECT_EQ(stretchInterval(200), 4000);
}

TEST(PatternPlayLength, CountTimesStepExceptWithLoop) {
    EXPECT_EQ(patternPlayLength(4, 1, false), Milliseconds{80});
    EXPECT_EQ(patternPlayLength(100, 200, false), Milliseconds{400000});
    EXPECT_EQ(patternPlayLength(0, 0, false), Milliseconds{20});
    EXPECT_EQ(patternPlayLength(4, 1, true), std::nullopt);
    // The preview ends where the editor's "Gesamtzeit" says.
    EXPECT_EQ(totalTimeText(7, 12),
              "Gesamtzeit = " + std::to_string(*patternPlayLength(12, 7, false)) + " ms");
}

TEST(LampStates, OnOffAndUnusedForTenLedOutputs) {
    PatternBank bank(kLedLayout);
    bank.setCount(2, 3);
    for (int output : {1, 4, 5, 10})
        bank.setOutputUsed(2, output, true);
    bank.setStep(2, 1, 0, true);
    bank.setStep(2, 5, 0, true);
    bank.setStep(2, 10, 1, true);
    bank.setStep(2, 2, 0, true); // a step of an output not in use stays grey

    using L = LampState;
    EXPECT_EQ(lampStates(bank, 2, 0), (std::vector<L>{L::On, L::Unused, L::Unused, L::Off, L::On, L::Unused,
                                                      L::Unused, L::Unused, L::Unused, L::Off}));
    EXPECT_EQ(lampStates(bank, 2, 1), (std::vector<L>{L::Off, L::Unused, L::Unused, L::Off, L::Off, L::Unused,
                                                      L::Unused, L::Unused, L::Unused, L::On}));
    EXPECT_EQ(lampStates(bank, 2, 3)[0], L::Off) << "a step past the count is off";
    EXPECT_EQ(lampStates(bank, 1, 0), std::vector<L>(10, L::Unused)) << "another address";
    EXPECT_EQ(lampStates(bank, 9, 0), std::vector<L>(10, L::Unused)) << "no such address";
}

TEST(LampStates, FourBlinkOutputs) {
    PatternBank bank(kBlinkLayout);
    bank.setCount(4, 2);
    bank.setOutputUsed(4, 1, true);
    bank.setOutputUsed(4, 4, true);
    bank.setStep(4, 4, 1, true);
    using L = LampState;
    EXPECT_EQ(lampStates(bank, 4, 0), (std::vector<L>{L::Off, L::Unused, L::Unused, L::Off}));
    EXPECT_EQ(lampStates(bank, 4, 1), (std::vector<L>{L::Off, L::Unused, L::Unused, L::On}));
}

TEST(PatternFrame, UsesTheBanksCountStretchAndLoop) {
    PatternBank bank(kBlinkLayout);
    bank.setCount(1, 3);
    bank.setStretch(1, 5); // 100 ms a step
    bank.setOutputUsed(1, 2, true);
    bank.setStep(1, 2, 2, true);

    PatternFrame frame = patternFrame(bank, 1, 250);
    EXPECT_EQ(frame.step, (PatternStep{2, false}));
    EXPECT_EQ(frame.lamps[1], LampState::On);
    EXPECT_EQ(patternFrame(bank, 1, 300).step, (PatternStep{2, true}));
    EXPECT_EQ(patternPlayLength(bank, 1), Milliseconds{300});

    bank.setLoop(1, true);
    frame = patternFrame(bank, 1, 300);
    EXPECT_EQ(frame.step, (PatternStep{0, false}));
    EXPECT_EQ(frame.lamps[1], LampState::Off);
    EXPECT_EQ(patternPlayLength(bank, 1), std::nullopt);
}
