// Malformed firmware files: each gives a defined load or a German message, never a crash.

#include "../FirmwareBuilder.h"
#include "image/Firmware.h"
#include "image/TextFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

using namespace hq;

namespace {

const std::string kRelay = test::firmwareText(test::kRelay8, test::kMmSchalt).text("\r\n");

class MalformedFiles : public ::testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("hq-malformed-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string write(const std::string& name, const std::string& content) {
        std::string path = (folder / name).string();
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }
    std::filesystem::path folder;
};

} // namespace

TEST_F(MalformedFiles, EmptyAndEndRecordOnlyFilesLoadUnrecognised) {
    for (const std::string& content : {std::string{}, std::string{":00000001FF\r\n"}}) {
        auto firmware = loadFirmwareFile(write("f.hex", content));
        ASSERT_TRUE(firmware);
        EXPECT_EQ(firmware->recognition.kind, 0);
        EXPECT_FALSE(firmware->recognition.hasCaptions());
    }
}

TEST_F(MalformedFiles, BinaryBytesLoadAsTextWithoutHarm) {
    std::string binary;
    for (int i = 0; i < 4096; ++i)
        binary += static_cast<char>((i * 37 + 11) % 256);
    auto firmware = loadFirmwareFile(write("bin.hex", binary));
    ASSERT_TRUE(firmware);
    EXPECT_EQ(firmware->recognition.kind, 0);
    EXPECT_FALSE(badRecordLines(firmware->image).empty());
}

TEST_F(MalformedFiles, ByteOrderMarkAndEveryLineEndAreRecognised) {
    std::string lf, cr;
    for (char c : kRelay) {
        if (c != '\r')
            lf += c;
        if (c != '\n')
            cr += c;
    }
    for (const std::string& content : {"\xEF\xBB\xBF" + kRelay, kRelay, lf, cr}) {
        auto firmware = loadFirmwareFile(write("f.hex", content));
        ASSERT_TRUE(firmware);
        EXPECT_EQ(firmware->recognition.kind, 31);
        EXPECT_EQ(firmware->recognition.protocol, Protocol::MM);
        EXPECT_TRUE(badRecordLines(firmware->image).empty());
    }
}

TEST_F(MalformedFiles, TrailingBlanksDefeatTheExactLineComparison) {
    std::string blanks;
    for (char c : kRelay)
        blanks += c == '\r' ? std::string(" \r") : std::string(1, c);
    auto firmware = loadFirmwareFile(write("f.hex", blanks));
    ASSERT_TRUE(firmware);
    EXPECT_EQ(firmware->recognition.kind, 0);
    EXPECT_EQ(badRecordLines(firmware->image).size(), static_cast<std::size_t>(firmware->image.lineCount));
}

TEST_F(MalformedFiles, TooManyLinesAndHugeFilesAreRefused) {
    std::string lines;
    for (int i = 0; i < 513; ++i)
        lines += ":00000001FF\n";
    auto long513 = loadFirmwareFile(write("long.hex", lines));
    ASSERT_FALSE(long513);
    EXPECT_EQ(long513.message(), "Das HEX-File hat mehr als 512 Zeilen und kann nicht geladen werden.");

    // 50 MB, sparse: refused by its size before it is read.
    std::string huge = (folder / "huge.hex").string();
    std::ofstream(huge).close();
    std::filesystem::resize_file(huge, 50u * 1024 * 1024);
    auto big = loadFirmwareFile(huge);
    ASSERT_FALSE(big);
    EXPECT_NE(big.message().find("ist zu gross für ein HEX-File"), std::string::npos);
}

TEST_F(MalformedFiles, BrokenRecordsAreHeldAndReportedByLine) {
    std::string content = ":0400000069303A2801\n"
                          ":100010008B1C32288B1031181428B11C3228643004\n"
                          ":104200000300F\n"                              // shorter than its count
                          ":10421000GG00FF00FF00FF00FF00FF00FF00FF0000\n" // not hex
                          "0400000069303A2801\n"                          // no colon
                          ":0400000069303A2801\n";                        // duplicate reset vector
    auto firmware = loadFirmwareFile(write("broken.hex", content));
    ASSERT_TRUE(firmware);
    EXPECT_EQ(firmware->recognition.kind, 31);
    EXPECT_EQ(badRecordLines(firmware->image), (std::vector<int>{3, 4, 5}));
    EXPECT_EQ(firmware->eeprom().bytes[0], "03");
    EXPECT_EQ(firmware->eeprom().bytes[1], "FF") << "nothing is read past the end of a short line";
    EXPECT_EQ(firmware->eeprom().bytes[8], "GG") << "held as it stands; saving then refuses";
}

TEST_F(MalformedFiles, FoldersMissingAndVanishedFilesGiveMessages) {
    auto dir = loadFirmwareFile(folder.string());
    ASSERT_FALSE(dir);
    EXPECT_NE(dir.message().find("ist ein Ordner"), std::string::npos);

    std::string path = write("gone.hex", kRelay);
    std::filesystem::remove(path); // chosen in the dialog, then deleted before reading
    auto gone = loadFirmwareFile(path);
    ASSERT_FALSE(gone);
    EXPECT_NE(gone.message().find("wurde nicht gefunden"), std::string::npos);

    if (::geteuid() != 0) {
        std::string locked = write("locked.hex", kRelay);
        std::filesystem::permissions(locked, std::filesystem::perms::none);
        auto unreadable = loadFirmwareFile(locked);
        ASSERT_FALSE(unreadable);
        EXPECT_NE(unreadable.message().find("kann nicht gelesen werden"), std::string::npos);
    }
}
