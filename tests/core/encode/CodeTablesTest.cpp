#include "encode/CodeTables.h"

#include <gtest/gtest.h>

#include <set>

using namespace hq;

TEST(TritCode, WritesBaseThreeDigitsAsBitPairs) {
    EXPECT_EQ(tritCode(1), "0300");
    EXPECT_EQ(tritCode(2), "0200");
    EXPECT_EQ(tritCode(3), "00C0");
    EXPECT_EQ(tritCode(0), "0000");
    EXPECT_EQ(tritCode(80), "02A8");
}

TEST(MmAccessoryCodes, FollowDecoderAndPair) {
    const auto& t = mmAccessoryTable().codes;
    EXPECT_EQ(t[0], "FFFFFF");
    EXPECT_EQ(t[1], "0300C3");
    EXPECT_EQ(t[2], "0300F3");
    EXPECT_EQ(t[4], "0300FF");
    EXPECT_EQ(t[5], "0200C3");
    EXPECT_EQ(t[317], "0000C3") << "decoder 80 is written 0000";
    EXPECT_EQ(t[320], "0000FF");
    EXPECT_TRUE(t[321].empty());
    EXPECT_EQ(mmRedGreenVariant("0300C3"), "030003");
    EXPECT_EQ(mmRedGreenVariant("FFFFFF"), "FFFF3F");
}

TEST(MmVehicleCodes, CoverEveryRangeAndTheExchangedEntries) {
    const auto& t = mmVehicleTable().codes;
    EXPECT_TRUE(t[0].empty());
    EXPECT_EQ(t[1], "0300");
    EXPECT_EQ(t[80], "0000");
    EXPECT_EQ(t[81], "0100");
    EXPECT_EQ(t[82], "0180");
    EXPECT_EQ(t[145], "0040");
    EXPECT_EQ(t[193], "0010");
    EXPECT_EQ(t[229], "0004");
    EXPECT_EQ(t[255], "02A4");
    EXPECT_EQ(t[83], "025C");
    EXPECT_EQ(t[191], "0140");
    EXPECT_EQ(t[123], "027C");
    EXPECT_EQ(t[192], "0154");
    EXPECT_TRUE(t[256].empty());
}

TEST(MmVehicleCodes, AllDistinct) {
    const auto& t = mmVehicleTable().codes;
    std::set<std::string> seen;
    for (int a = 1; a <= 255; ++a) {
        ASSERT_EQ(t[a].size(), 4u) << a;
        EXPECT_TRUE(seen.insert(t[a]).second) << "duplicate at " << a;
    }
}

TEST(DccAccessoryCodes, FollowTheAccessoryPacket) {
    const auto& t = dccAccessoryTable().codes;
    EXPECT_TRUE(t[0].empty());
    EXPECT_EQ(t[1], "79F005");
    EXPECT_EQ(t[2], "7BF405");
    EXPECT_EQ(t[5], "7AF009");
    EXPECT_EQ(t[2044], "311CFD");
    EXPECT_TRUE(t[2045].empty());
    EXPECT_EQ(dccRedGreenVariant("79F005"), "78F205");
}

TEST(DccAccessoryCodes, AllDistinctAlsoFromEveryRedGreenVariant) {
    const auto& t = dccAccessoryTable().codes;
    std::set<std::string> seen;
    for (int a = 1; a <= 2044; ++a) {
        EXPECT_TRUE(seen.insert(t[a]).second) << "duplicate at " << a;
        EXPECT_TRUE(seen.insert(dccRedGreenVariant(t[a])).second) << "variant clashes at " << a;
    }
    EXPECT_EQ(seen.count("FFFFFF"), 0u) << "the erased code matches no address";
}

TEST(FunctionCodes, MapNumbersBothWays) {
    EXPECT_EQ(mmFunctionCode(1), "51");
    EXPECT_EQ(mmFunctionCode(4), "55");
    EXPECT_EQ(mmFunctionCode(0), "");
    EXPECT_EQ(mmFunctionCode(5), "");
    EXPECT_EQ(dccFunctionCode(5), "B1");
    EXPECT_EQ(dccFunctionCode(12), "A8");
    EXPECT_EQ(dccFunctionCode(13), "");
    for (int f = 1; f <= 4; ++f)
        EXPECT_EQ(mmFunctionNumber(mmFunctionCode(f)), f);
    for (int f = 1; f <= 12; ++f)
        EXPECT_EQ(dccFunctionNumber(dccFunctionCode(f)), f);
    EXPECT_EQ(dccFunctionNumber("FF"), 0);
}

TEST(CodeLookup, FindsStoredAndChangedFormsAndNothingElse) {
    const CodeTable::Match* erased = mmAccessoryTable().find("FFFFFF");
    ASSERT_NE(erased, nullptr);
    EXPECT_EQ(erased->address, 0);
    EXPECT_FALSE(erased->changedForm);
    const CodeTable::Match* red = mmAccessoryTable().find("FFFF3F");
    ASSERT_NE(red, nullptr);
    EXPECT_TRUE(red->changedForm);
    EXPECT_EQ(mmAccessoryTable().find("0000FF")->address, 320);
    EXPECT_EQ(dccAccessoryTable().find("FFFFFF"), nullptr);
    EXPECT_EQ(dccAccessoryTable().find("78F205")->address, 1);
    EXPECT_TRUE(dccAccessoryTable().find("78F205")->changedForm);
    EXPECT_EQ(mmVehicleTable().find("025C")->address, 83);
    EXPECT_EQ(mmVehicleTable().find("03c0"), nullptr) << "only upper-case digits";
    EXPECT_EQ(mmVehicleTable().find("ZZ"), nullptr);
    EXPECT_EQ(mmVehicleTable().find(""), nullptr);
    EXPECT_EQ(mmAccessoryTable().find("0300C"), nullptr) << "a shorter text is no code";
}

TEST(CodeLookup, ChangedFormsMatchTheTextualRedGreenChange) {
    for (int a = 0; a <= kMmHighestAccessory; ++a) {
        const CodeTable::Match* m = mmAccessoryTable().find(mmRedGreenVariant(mmAccessoryTable().codes[a]));
        ASSERT_NE(m, nullptr) << a;
        EXPECT_EQ(m->address, a);
        EXPECT_TRUE(m->changedForm);
    }
    for (int a = 1; a <= kDccHighestAccessory; ++a) {
        const CodeTable::Match* m =
            dccAccessoryTable().find(dccRedGreenVariant(dccAccessoryTable().codes[a]));
        ASSERT_NE(m, nullptr) << a;
        EXPECT_EQ(m->address, a);
        EXPECT_TRUE(m->changedForm);
    }
}
