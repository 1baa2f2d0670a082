// Scanning layout folders on disk: good decoders found in sub-folders, broken files among them
// listed with their reason without stopping the scan, progress and stopping for a window.

#include "LayoutTestSupport.h"

#include "image/TextFile.h"
#include "layout/LayoutFolder.h"

#include <sys/stat.h>
#include <unistd.h>

namespace hq {
namespace {

using layout_test::shiftedDemo;

class LayoutScanTest : public layout_test::LayoutFolderTest {};

std::vector<std::string> filesOf(const LayoutScan& scan) {
    std::vector<std::string> files;
    for (const LayoutDecoder& decoder : scan.decoders)
        files.push_back(decoder.file);
    return files;
}

std::string reasonFor(const LayoutScan& scan, const std::string& file) {
    for (const LayoutProblem& problem : scan.problems) {
        if (problem.file == file)
            return problem.reason;
    }
    return "(nicht übersprungen)";
}

TEST_F(LayoutScanTest, FindsTheDecodersInSubFoldersAndListsBrokenFilesWithTheirReason) {
    put("weiche-1.hex", shiftedDemo(32, Protocol::DCC, -4));             // 1–4
    put("Bahnhof/Nord/WEICHE-2.HEX", shiftedDemo(32, Protocol::DCC, 0)); // 5–8
    put("a/b/c/tief.hex", shiftedDemo(28, Protocol::MM, 0));
    put("a/b/c/d/e/zu-tief.hex", shiftedDemo(28, Protocol::MM, 0));
    put("a/b/c/bilder/2020/foto.jpg", "JPEG"); // too deep, but holds no decoder
    put("kein-hex.hex", "Das ist eine Notiz.\n");
    put("fremd.hex", ":100000000102030405060708090A0B0C0D0E0F1068\r\n:00000001FF\r\n");
    put("zu-gross.hex", std::string(kMaxFirmwareFileSize + 1, '0'));
    put("notiz.txt", "keine HEX-Datei");
    put(".versteckt.hex", "kaputt");
    put(".git/HEAD.hex", "kaputt");
    ASSERT_EQ(::mkfifo((folder / "pipe.hex").c_str(), 0600), 0);
    std::string broken = shiftedDemo(23, Protocol::MM, 0);
    const std::size_t code = broken.find("\r\n", broken.find(":10002000")); // the first program code record
    broken[code - 1] = broken[code - 1] == '0' ? '1' : '0';                 // now with a wrong checksum
    put("pruefsumme.hex", broken);

    auto scan = scanLayout(folder, {});
    ASSERT_TRUE(scan.ok()) << scan.message();
    EXPECT_EQ(filesOf(*scan), (std::vector<std::string>{"Bahnhof/Nord/WEICHE-2.HEX", "a/b/c/tief.hex",
                                                        "pruefsumme.hex", "weiche-1.hex"}));
    std::vector<std::string> problems;
    for (const LayoutProblem& problem : scan->problems)
        problems.push_back(problem.file);
    EXPECT_EQ(problems,
              (std::vector<std::string>{"a/b/c/d", "fremd.hex", "kein-hex.hex", "pipe.hex", "zu-gross.hex"}));
    EXPECT_EQ(reasonFor(*scan, "a/b/c/d"),
              "Der Ordner liegt tiefer als 3 Ebenen; seine HEX-Dateien werden nicht "
              "gelesen.");
    EXPECT_EQ(
        reasonFor(*scan, "kein-hex.hex"),
        "Das HEX-File konnte leider nicht erkannt werden: Die Datei enthält keine Intel-HEX-Datensätze.");
    EXPECT_EQ(
        reasonFor(*scan, "fremd.hex"),
        "Das HEX-File konnte leider nicht erkannt werden: Keine Zeile passt zu einer bekannten Firmware.");
    EXPECT_NE(reasonFor(*scan, "pipe.hex").find("keine gewöhnliche Datei"), std::string::npos);
    EXPECT_NE(reasonFor(*scan, "zu-gross.hex").find("zu gross"), std::string::npos);

    const LayoutDecoder& checksum = scan->decoders[2];
    ASSERT_FALSE(checksum.warnings.empty());
    EXPECT_TRUE(checksum.warnings.back().starts_with("HEX-Zeilen mit falscher Prüfsumme"))
        << checksum.warnings.back();

    std::vector<int> addresses;
    for (const AddressEntry& entry : scan->addresses) {
        if (entry.protocol == Protocol::DCC)
            addresses.push_back(entry.address);
    }
    EXPECT_EQ(addresses, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_FALSE(scan->cancelled);
}

TEST_F(LayoutScanTest, AnUnreadableFileOrFolderIsListedAndTheRestScanned) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    put("gut.hex", shiftedDemo(32, Protocol::DCC, 0));
    put("gesperrt.hex", shiftedDemo(32, Protocol::DCC, 10));
    put("zu/drin.hex", shiftedDemo(32, Protocol::DCC, 20));
    std::filesystem::permissions(folder / "gesperrt.hex", std::filesystem::perms::none);
    std::filesystem::permissions(folder / "zu", std::filesystem::perms::none);
    auto scan = scanLayout(folder, {});
    std::filesystem::permissions(folder / "zu", std::filesystem::perms::owner_all);
    ASSERT_TRUE(scan.ok());
    EXPECT_EQ(filesOf(*scan), std::vector<std::string>{"gut.hex"});
    EXPECT_NE(reasonFor(*scan, "gesperrt.hex").find("kann nicht gelesen werden"), std::string::npos);
    EXPECT_NE(reasonFor(*scan, "zu").find("kann nicht gelesen werden"), std::string::npos);
}

TEST_F(LayoutScanTest, AMissingFolderOrAFileIsRefused) {
    auto missing = scanLayout(folder / "fehlt", {});
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.kind(), ErrorKind::NotFound);
    EXPECT_NE(missing.message().find("wurde nicht gefunden"), std::string::npos);
    put("datei.hex", shiftedDemo(32, Protocol::DCC, 0));
    auto file = scanLayout(folder / "datei.hex", {});
    ASSERT_FALSE(file.ok());
    EXPECT_EQ(file.kind(), ErrorKind::Unreadable);
    EXPECT_NE(file.message().find("ist kein Ordner"), std::string::npos);
}

TEST_F(LayoutScanTest, ReportsProgressAndStopsWhenAsked) {
    for (int i = 0; i < 5; ++i)
        put("w" + std::to_string(i) + ".hex", shiftedDemo(32, Protocol::DCC, 4 * i));
    std::vector<std::pair<int, int>> reported;
    ScanOptions options;
    options.progress = [&](int done, int total) { reported.emplace_back(done, total); };
    auto scan = scanLayout(folder, {}, options);
    ASSERT_TRUE(scan.ok());
    EXPECT_EQ(reported, (std::vector<std::pair<int, int>>{{0, 5}, {1, 5}, {2, 5}, {3, 5}, {4, 5}, {5, 5}}));

    std::stop_source stop;
    options.stop = stop.get_token();
    options.progress = [&](int done, int) {
        if (done == 2)
            stop.request_stop();
    };
    auto stopped = scanLayout(folder, {}, options);
    ASSERT_TRUE(stopped.ok());
    EXPECT_TRUE(stopped->cancelled);
    EXPECT_EQ(stopped->decoders.size(), 2u);
}

} // namespace
} // namespace hq
