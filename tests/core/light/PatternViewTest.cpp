// Reading a pattern table where it lies: the view reads what a bank over the same table reads, follows
// later changes of the table, and compares one address's stored entries with another table.

#include "light/PatternView.h"
#include "light/PatternBank.h"

#include <gtest/gtest.h>

using namespace hq;

TEST(PatternView, ReadsTheTableWhereItLiesAndFollowsItsChanges) {
    ProgramTable table{};
    const PatternView view(kLedLayout, table);
    EXPECT_EQ(view.count(2), 1); // a stored 0 reads as 1
    EXPECT_FALSE(view.outputUsed(2, 7));

    PatternBank bank(kLedLayout);
    bank.setCount(2, 5);
    bank.setStretch(2, 3);
    bank.setLoop(2, true);
    bank.setOutputUsed(2, 7, true);
    bank.setStep(2, 7, 4, true);
    bank.setStep(2, 1, 0, true);
    table = bank.table();
    EXPECT_EQ(view.count(2), 5);
    EXPECT_EQ(view.stretch(2), 3);
    EXPECT_TRUE(view.loop(2));
    EXPECT_TRUE(view.outputUsed(2, 7));
    EXPECT_FALSE(view.outputUsed(2, 6));
    EXPECT_EQ(view.stepsText(2, 7), "00001");
    EXPECT_EQ(view.stepsText(2, 1), "10000");
    // Outside the layout: off and nothing.
    EXPECT_FALSE(view.step(2, 11, 0));
    EXPECT_FALSE(view.step(2, 7, 5));
    EXPECT_FALSE(view.outputUsed(5, 1));
    EXPECT_EQ(view.count(0), 1);

    // A bank read as its view reads its own table, also after it changed.
    const PatternView ofBank = bank;
    bank.setStep(2, 7, 0, true);
    EXPECT_EQ(ofBank.stepsText(2, 7), "10001");
    EXPECT_EQ(bank.stepsText(2, 7), ofBank.stepsText(2, 7));
}

TEST(PatternView, SameAddressComparesOnlyThatAddressAsTheFirmwareStoresIt) {
    ProgramTable a{};
    ProgramTable b{};
    const PatternView left(kBlinkLayout, a);
    const PatternView right(kBlinkLayout, b);
    for (int address = 1; address <= kPatternAddresses; ++address)
        EXPECT_TRUE(left.sameAddress(right, address));

    b[64 + 10] = 1; // address 2
    EXPECT_TRUE(left.sameAddress(right, 1));
    EXPECT_FALSE(left.sameAddress(right, 2));
    EXPECT_TRUE(left.sameAddress(right, 3));

    // The blink firmware never stores entry 255 (the last of address 4): it makes no difference.
    b = a;
    b[255] = 7;
    EXPECT_TRUE(left.sameAddress(right, 4));
    b[254] = 7;
    EXPECT_FALSE(left.sameAddress(right, 4));

    // The LED firmware stores all four blocks whole.
    ProgramTable c{};
    ProgramTable d{};
    d[1023] = 1;
    EXPECT_FALSE(PatternView(kLedLayout, c).sameAddress(PatternView(kLedLayout, d), 4));
    EXPECT_TRUE(PatternView(kLedLayout, c).sameAddress(PatternView(kLedLayout, d), 3));
}
