#pragma once
// What the layout tests share: decoders in memory with the addresses a test needs (a demo firmware
// whose decoded rows are set, read as the layout reads a file), demo files moved to other
// addresses by the series' own copy step, and a scratch folder for layouts on disk.

#include "demo/DemoFirmware.h"
#include "image/Firmware.h"
#include "layout/LayoutDecoder.h"
#include "layout/SeriesCopy.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace hq::layout_test {

inline Firmware demo(int kind, Protocol protocol) {
    auto firmware = loadFirmware(demoFirmwareText(kind, protocol));
    if (!firmware)
        std::abort();
    return std::move(*firmware);
}

// The demo of `kind` as the layout reads it, its shown rows set to `addresses` in order (rows
// beyond the list keep 0) and, where given, to `reactions` (accessory: 1 green, 0 red; vehicle:
// the function number).
inline LayoutDecoder decoderWith(int kind, Protocol protocol, const std::string& file,
                                 const std::vector<int>& addresses, const std::vector<int>& reactions = {}) {
    Firmware firmware = demo(kind, protocol);
    std::size_t next = 0;
    for (int r = 1; r < kRowCount; ++r) {
        if (firmware.recognition.rowCaption(r).empty())
            continue;
        OutputRow& row = firmware.parameters.rows[static_cast<std::size_t>(r)];
        row.address = next < addresses.size() ? addresses[next] : 0;
        if (next < reactions.size()) {
            if (firmware.recognition.type == DecoderType::Fahrzeug)
                row.function = reactions[next];
            else
                row.redGreen = reactions[next];
        }
        ++next;
    }
    return layoutDecoder(firmware, file);
}

// The demo file of `kind` with its addresses moved by `shift` (the demos start at 5, function
// decoders at 3).
inline std::string shiftedDemo(int kind, Protocol protocol, int shift) {
    auto text = shiftedCopyText(demo(kind, protocol), shift);
    if (!text)
        std::abort();
    return *text;
}

class LayoutFolderTest : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "hq-layout-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::permissions(folder, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(folder, ignored);
    }
    void put(const std::string& name, const std::string& content) const {
        std::filesystem::create_directories((folder / name).parent_path());
        std::ofstream(folder / name, std::ios::binary) << content;
    }
    std::string contentOf(const std::string& name) const {
        std::ifstream in(folder / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::vector<std::string> names() const {
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            found.push_back(entry.path().filename().string());
        std::sort(found.begin(), found.end());
        return found;
    }

    std::filesystem::path folder;
};

} // namespace hq::layout_test
