// Decoders made in series: the plan's names and addresses, its refusals at the ends of every
// protocol's range, for files that exist and for clashes with the layout, and the writing.

#include "LayoutTestSupport.h"

#include "layout/LayoutFolder.h"
#include "layout/SeriesPlan.h"

#include <sys/stat.h>

namespace hq {
namespace {

using layout_test::demo;
using layout_test::shiftedDemo;

SeriesRequest request(const std::string& name, int count, std::optional<int> first = std::nullopt,
                      std::optional<int> stride = std::nullopt) {
    SeriesRequest wanted;
    wanted.name = name;
    wanted.count = count;
    wanted.first = first;
    wanted.stride = stride;
    return wanted;
}

class Series : public layout_test::LayoutFolderTest {
protected:
    Result<SeriesPlan> plan(const Firmware& firmware, const SeriesRequest& wanted,
                            const LayoutNotes& notes = {}) {
        auto scan = scanLayout(folder, notes);
        EXPECT_TRUE(scan.ok());
        return planSeries(firmware, wanted, folder, scan ? *scan : LayoutScan{}, notes);
    }
    LayoutScan rescan() {
        auto scan = scanLayout(folder, {});
        EXPECT_TRUE(scan.ok());
        return scan ? *scan : LayoutScan{};
    }
};

std::vector<std::string> copyLines(const SeriesPlan& plan) {
    std::vector<std::string> lines;
    for (const SeriesCopy& copy : plan.copies)
        lines.push_back(copy.file + " " + runsText(copy.addresses()));
    return lines;
}

TEST_F(Series, CopiesGetConsecutiveBlocksTheSpanOfTheTemplateApart) {
    const Firmware weiche = demo(32, Protocol::DCC); // 5–8, row 3 red, extra value 20
    auto planned = plan(weiche, request("weiche", 3));
    ASSERT_TRUE(planned.ok()) << planned.message();
    EXPECT_TRUE(planned->ok()) << testing::PrintToString(planned->refusals);
    EXPECT_EQ(planned->stride, 4);
    EXPECT_EQ(copyLines(*planned),
              (std::vector<std::string>{"weiche-01.hex 5–8", "weiche-02.hex 9–12", "weiche-03.hex 13–16"}));
    EXPECT_EQ(names(), std::vector<std::string>{}) << "nothing is written by planning";

    auto written = writeSeries(*planned);
    ASSERT_TRUE(written.ok()) << written.message();
    EXPECT_EQ(*written, (std::vector<std::string>{"weiche-01.hex", "weiche-02.hex", "weiche-03.hex"}));
    const LayoutScan scan = rescan();
    EXPECT_TRUE(scan.clashes.empty());
    ASSERT_EQ(scan.decoders.size(), 3u);
    const LayoutDecoder& last = scan.decoders[2];
    EXPECT_EQ(last.rows[2].address, 15);
    EXPECT_EQ(last.rows[2].reaction, 0) << "red stays red";
    ASSERT_TRUE(last.extra.has_value());
    EXPECT_EQ(last.extra->value, kDemoExtraValue);
}

TEST_F(Series, FirstAddressAndStrideAreTheUsersAndNamesWidenForLongSeries) {
    auto planned = plan(demo(32, Protocol::MM), request("w", 2, 101, 10));
    ASSERT_TRUE(planned.ok()) << planned.message();
    EXPECT_EQ(copyLines(*planned), (std::vector<std::string>{"w-01.hex 101–104", "w-02.hex 111–114"}));

    auto long_ = plan(demo(28, Protocol::MM), request("spur", 100, 1));
    ASSERT_TRUE(long_.ok()) << long_.message();
    ASSERT_TRUE(long_->ok()) << testing::PrintToString(long_->refusals);
    EXPECT_EQ(long_->copies.front().file, "spur-001.hex");
    EXPECT_EQ(long_->copies.back().file, "spur-100.hex");
    EXPECT_EQ(long_->copies.back().addresses(), std::vector<int>{100});
}

TEST_F(Series, FunctionDecodersCountTheirVehicleAddresses) {
    auto planned = plan(demo(6, Protocol::DCC), request("licht", 2)); // ten rows on 3..12
    ASSERT_TRUE(planned.ok()) << planned.message();
    EXPECT_EQ(planned->space, AddressSpace::Vehicle);
    EXPECT_EQ(copyLines(*planned), (std::vector<std::string>{"licht-01.hex 3–12", "licht-02.hex 13–22"}));
}

struct RangeEnd {
    int kind;
    Protocol protocol;
    int first;
    int last;            // of the one copy's block
    std::string refusal; // empty when the copy may be written
};

class SeriesAtTheEnds : public Series, public testing::WithParamInterface<RangeEnd> {};

TEST_P(SeriesAtTheEnds, ReachTheLastAddressAndRefuseOneBeyond) {
    const RangeEnd& end = GetParam();
    auto planned = plan(demo(end.kind, end.protocol), request("ende", 1, end.first));
    ASSERT_TRUE(planned.ok()) << planned.message();
    EXPECT_EQ(planned->copies.at(0).addresses().back(), end.last);
    if (end.refusal.empty()) {
        ASSERT_TRUE(planned->ok()) << testing::PrintToString(planned->refusals);
        ASSERT_TRUE(writeSeries(*planned).ok());
        const LayoutScan scan = rescan();
        ASSERT_FALSE(scan.addresses.empty());
        EXPECT_EQ(scan.addresses.back().address, end.last) << "the file holds the last address";
        EXPECT_TRUE(scan.clashes.empty());
    } else {
        ASSERT_FALSE(planned->ok());
        EXPECT_NE(planned->refusals.front().find(end.refusal), std::string::npos)
            << planned->refusals.front();
        EXPECT_TRUE(writeSeries(*planned).kind() == ErrorKind::Refused);
        EXPECT_EQ(names(), std::vector<std::string>{});
    }
}

INSTANTIATE_TEST_SUITE_P(EveryProtocol, SeriesAtTheEnds,
                         testing::Values(RangeEnd{32, Protocol::MM, 317, 320, ""},
                                         RangeEnd{32, Protocol::MM, 318, 321,
                                                  "Adresse 321 (Zeile 4, Weiche 4) liegt außerhalb des "
                                                  "gültigen Bereichs 1 bis 320."},
                                         RangeEnd{32, Protocol::DCC, 2037, 2040, ""},
                                         RangeEnd{32, Protocol::DCC, 2038, 2041, "Rundruf-Adresse"},
                                         RangeEnd{32, Protocol::DCC, 2042, 2045,
                                                  "Adresse 2045 (Zeile 4, Weiche 4) liegt außerhalb"},
                                         RangeEnd{4, Protocol::MM, 252, 255, ""},
                                         RangeEnd{4, Protocol::MM, 253, 256,
                                                  "Adresse 256 (Zeile 4, Out 4) liegt außerhalb des "
                                                  "gültigen Bereichs 1 bis 255."},
                                         RangeEnd{4, Protocol::DCC, 16125, 16128, ""},
                                         RangeEnd{4, Protocol::DCC, 16126, 16129,
                                                  "liegt außerhalb des gültigen Bereichs 1 bis 16128"}));

TEST_F(Series, FilesThatExistRefuseTheSeriesUnlessForcedAndFoldersAlways) {
    put("weiche-02.hex", "alt\n");
    auto planned = plan(demo(32, Protocol::DCC), request("weiche", 3));
    ASSERT_TRUE(planned.ok());
    EXPECT_EQ(planned->refusals, std::vector<std::string>{"weiche-02.hex gibt es schon."});
    EXPECT_EQ(writeSeries(*planned).kind(), ErrorKind::Refused);
    EXPECT_EQ(names(), std::vector<std::string>{"weiche-02.hex"});
    EXPECT_EQ(contentOf("weiche-02.hex"), "alt\n");

    SeriesRequest forced = request("weiche", 3);
    forced.force = true;
    auto replacing = plan(demo(32, Protocol::DCC), forced);
    ASSERT_TRUE(replacing.ok());
    ASSERT_TRUE(replacing->ok()) << testing::PrintToString(replacing->refusals);
    EXPECT_TRUE(replacing->copies[1].replaces);
    ASSERT_TRUE(writeSeries(*replacing).ok());
    EXPECT_EQ(contentOf("weiche-02.hex"), replacing->copies[1].text);

    std::filesystem::create_directory(folder / "x-01.hex");
    SeriesRequest intoFolder = request("x", 1, 100);
    intoFolder.force = true;
    auto refused = plan(demo(32, Protocol::DCC), intoFolder);
    ASSERT_TRUE(refused.ok());
    EXPECT_EQ(refused->refusals, std::vector<std::string>{"x-01.hex ist ein Ordner und wird nicht ersetzt."});
}

TEST_F(Series, ClashesWithTheLayoutAndBetweenCopiesAreAllListed) {
    put("alt.hex", shiftedDemo(32, Protocol::DCC, 4)); // 9–12, as the second copy would be
    put("weiche-03.hex", "alt\n");                     // in the way as well
    auto planned = plan(demo(32, Protocol::DCC), request("weiche", 3));
    ASSERT_TRUE(planned.ok());
    ASSERT_EQ(planned->refusals.size(), 5u) << testing::PrintToString(planned->refusals);
    EXPECT_EQ(planned->refusals[0], "weiche-03.hex gibt es schon.");
    EXPECT_EQ(planned->refusals[1],
              "DCC-Zubehöradresse 9, grün: alt.hex Zeile 1 (Weiche 1) und weiche-02.hex Zeile 1 (Weiche 1)");
    EXPECT_EQ(planned->notes,
              std::vector<std::string>{"Nicht geprüft: weiche-03.hex (Das HEX-File konnte leider "
                                       "nicht erkannt werden: Die Datei enthält keine "
                                       "Intel-HEX-Datensätze.)"});

    // Copies that overlap each other: 5–8 and 7–10 share 8 in green.
    auto overlapping = plan(demo(32, Protocol::DCC), request("eng", 2, 15, 2));
    ASSERT_TRUE(overlapping.ok());
    EXPECT_EQ(
        overlapping->refusals,
        std::vector<std::string>{"DCC-Zubehöradresse 18, grün: eng-01.hex Zeile 4 (Weiche 4) und eng-02.hex "
                                 "Zeile 2 (Weiche 2)"});
}

TEST_F(Series, AClashTheUserMarkedIntendedDoesNotRefuse) {
    put("signal.hex", shiftedDemo(28, Protocol::DCC, 0)); // 5, green
    const ClashKey key{ClashKind::SameCommand,
                       Protocol::DCC,
                       AddressSpace::Accessory,
                       5,
                       1,
                       {{"signal.hex", 1}, {"weiche-01.hex", 1}}};
    LayoutNotes notes;
    notes.setIntended(key, true);
    auto planned = plan(demo(32, Protocol::DCC), request("weiche", 1), notes);
    ASSERT_TRUE(planned.ok());
    EXPECT_TRUE(planned->ok()) << testing::PrintToString(planned->refusals);
    auto unmarked = plan(demo(32, Protocol::DCC), request("weiche", 1));
    EXPECT_EQ(unmarked->refusals.size(), 1u);
}

TEST_F(Series, ATemplateOrRequestThatCannotBeCountedOnIsRefused) {
    auto ohne = loadFirmware(demoFirmwareText(32, Protocol::None));
    ASSERT_TRUE(ohne.ok());
    EXPECT_NE(plan(*ohne, request("w", 1)).message().find("kein Protokoll"), std::string::npos);
    Firmware unused = demo(32, Protocol::MM);
    for (OutputRow& row : unused.parameters.rows)
        row.address = 0;
    EXPECT_NE(plan(unused, request("w", 1)).message().find("keine Adresse"), std::string::npos);

    const Firmware weiche = demo(32, Protocol::MM);
    EXPECT_EQ(plan(weiche, request("w", 0)).message(), "Die Anzahl muss zwischen 1 und 999 liegen.");
    EXPECT_EQ(plan(weiche, request("w", 1000)).message(), "Die Anzahl muss zwischen 1 und 999 liegen.");
    EXPECT_EQ(plan(weiche, request("w", 1, 0)).message(),
              "Die erste Adresse muss zwischen 1 und 320 liegen (MM-Zubehöradressen).");
    EXPECT_EQ(plan(weiche, request("w", 1, 1, 0)).message(),
              "Der Abstand muss zwischen 1 und 320 liegen (MM-Zubehöradressen).");
    for (const char* name : {"", "a/b", ".versteckt"})
        EXPECT_FALSE(plan(weiche, request(name, 1)).ok()) << name;
    EXPECT_EQ(names(), std::vector<std::string>{});
}

TEST_F(Series, WritingRefusesAFileThatAppearedAndGivesNewFilesTheTemplatesPermissions) {
    SeriesRequest wanted = request("w", 2);
    wanted.permissions = std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                         std::filesystem::perms::group_read;
    auto planned = plan(demo(32, Protocol::DCC), wanted);
    ASSERT_TRUE(planned.ok() && planned->ok());
    put("w-02.hex", "dazwischen\n");
    auto late = writeSeries(*planned);
    ASSERT_FALSE(late.ok());
    EXPECT_EQ(late.message(), "w-02.hex gibt es inzwischen; die Serie wird nicht geschrieben.");
    EXPECT_EQ(names(), std::vector<std::string>{"w-02.hex"});

    std::filesystem::remove(folder / "w-02.hex");
    ASSERT_TRUE(writeSeries(*planned).ok());
    EXPECT_EQ(std::filesystem::status(folder / "w-01.hex").permissions() & std::filesystem::perms::all,
              *wanted.permissions);
}

TEST_F(Series, TheFolderIsMadeWhenMissing) {
    auto scan = LayoutScan{};
    auto planned = planSeries(demo(32, Protocol::DCC), request("w", 1), folder / "neu" / "anlage", scan, {});
    ASSERT_TRUE(planned.ok() && planned->ok());
    ASSERT_TRUE(writeSeries(*planned).ok());
    EXPECT_TRUE(std::filesystem::is_regular_file(folder / "neu" / "anlage" / "w-01.hex"));
}

} // namespace
} // namespace hq
