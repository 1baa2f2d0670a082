// The preview player under a fake clock: start, pause, resume, restart and the end of a preview.

#include "preview/PreviewPlayer.h"
#include "preview/PatternPreview.h"

#include <gtest/gtest.h>

using namespace hq;

using State = PreviewPlayer::State;

TEST(PreviewPlayer, StoppedShowsTheBeginning) {
    PreviewPlayer player;
    EXPECT_EQ(player.state(), State::Stopped);
    EXPECT_EQ(player.elapsed(5000), 0);
    EXPECT_FALSE(player.finished(5000));
    EXPECT_FALSE(player.needsFrames(5000));
    player.pause(10);
    player.resume(20);
    EXPECT_EQ(player.state(), State::Stopped) << "only a running preview pauses";
}

TEST(PreviewPlayer, PauseFreezesTheShownStep) {
    PreviewPlayer player;
    player.setLength(patternPlayLength(10, 1, false)); // 200 ms
    player.start(1000);
    EXPECT_EQ(player.elapsed(1065), 65);
    EXPECT_EQ(patternStepAt(player.elapsed(1065), 10, 1, false).step, 3);

    player.pause(1065);
    EXPECT_EQ(player.state(), State::Paused);
    EXPECT_FALSE(player.needsFrames(1065));
    EXPECT_EQ(player.elapsed(9000), 65) << "time passes, the step stays";
    player.pause(9500); // a second pause changes nothing
    EXPECT_EQ(player.elapsed(9500), 65);

    player.resume(10000);
    EXPECT_EQ(player.state(), State::Running);
    EXPECT_EQ(player.elapsed(10000), 65);
    EXPECT_EQ(player.elapsed(10015), 80);
    EXPECT_EQ(patternStepAt(player.elapsed(10015), 10, 1, false).step, 4);
}

TEST(PreviewPlayer, StartResumesAPausedPreview) {
    PreviewPlayer player;
    player.start(0);
    player.pause(500);
    player.start(2000);
    EXPECT_EQ(player.elapsed(2000), 500);
    player.start(2100); // running: nothing changes
    EXPECT_EQ(player.elapsed(2100), 600);
}

TEST(PreviewPlayer, TheEndHoldsAndStartPlaysAgain) {
    PreviewPlayer player;
    player.setLength(Milliseconds{80});
    player.start(100);
    EXPECT_TRUE(player.needsFrames(179));
    EXPECT_FALSE(player.finished(179));
    EXPECT_TRUE(player.finished(180));
    EXPECT_FALSE(player.needsFrames(180));
    EXPECT_EQ(player.elapsed(5000), 80) << "held at the end";
    EXPECT_EQ(patternStepAt(player.elapsed(5000), 4, 1, false), (PatternStep{3, true}));

    player.start(6000);
    EXPECT_EQ(player.elapsed(6000), 0);
    EXPECT_TRUE(player.needsFrames(6010));

    // Paused after the end, start plays from the beginning too.
    player.pause(7000);
    EXPECT_TRUE(player.finished(7000));
    player.start(8000);
    EXPECT_EQ(player.state(), State::Running);
    EXPECT_EQ(player.elapsed(8020), 20);
}

TEST(PreviewPlayer, LoopingPreviewNeverEnds) {
    PreviewPlayer player;
    player.setLength(patternPlayLength(4, 1, true));
    player.start(0);
    EXPECT_EQ(player.elapsed(1'000'000), 1'000'000);
    EXPECT_FALSE(player.finished(1'000'000));
    EXPECT_TRUE(player.needsFrames(1'000'000));
}

TEST(PreviewPlayer, RestartStopAndAClockGoingBack) {
    PreviewPlayer player;
    player.start(1000);
    EXPECT_EQ(player.elapsed(900), 0) << "never below zero";
    player.restart(3000);
    EXPECT_EQ(player.elapsed(3050), 50);
    player.pause(3050);
    player.restart(4000);
    EXPECT_EQ(player.state(), State::Running);
    EXPECT_EQ(player.elapsed(4010), 10);
    player.stop();
    EXPECT_EQ(player.state(), State::Stopped);
    EXPECT_EQ(player.elapsed(4500), 0);
    player.start(5000);
    EXPECT_EQ(player.elapsed(5001), 1);
}

TEST(PreviewPlayer, ALongerLengthWhilePlayingGoesOn) {
    PreviewPlayer player;
    player.setLength(Milliseconds{100});
    player.start(0);
    EXPECT_TRUE(player.finished(150));
    player.setLength(Milliseconds{400}); // the user raised the count
    EXPECT_FALSE(player.finished(150));
    EXPECT_EQ(player.elapsed(150), 150);
}
