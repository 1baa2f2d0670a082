// Loading a full 512-line firmware against only reading the file and splitting it into lines.

#include "encode/CodeTables.h"
#include "image/Checksum.h"
#include "image/Firmware.h"
#include "image/HexByte.h"
#include "image/TextFile.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

std::string record(const std::string& body) {
    return *hq::completeRecord(body);
}

// A DCC accessory firmware of exactly 512 lines.
const std::string& firmwarePath() {
    static const std::string path = [] {
        std::vector<std::string> lines{":0400000069303A2801", ":1000100005191028831601178312B23081002B288E"};
        for (int i = 0; lines.size() < 512 - 18; ++i) {
            int address = 0x20 + 16 * i;
            std::string body = ":10" + hq::byteHexText(address >> 8) + hq::byteHexText(address & 0xFF) + "00";
            for (int k = 0; k < 16; ++k)
                body += hq::byteHexText((i * 16 + k) * 7 % 256);
            lines.push_back(record(body));
        }
        lines.push_back(record(":084000000100000004000100"));
        static const char digits[] = "0123456789ABCDEF";
        for (int n = 0; n < 16; ++n) {
            std::string body = std::string(":1042") + digits[n] + "000";
            for (int i = 0; i < 8; ++i)
                body += hq::dccAccessoryTable().codes[2000].substr(0, 2) + "00";
            lines.push_back(record(body));
        }
        lines.push_back(":00000001FF");
        std::string file = (std::filesystem::temp_directory_path() / "hq-bench-512.hex").string();
        std::ofstream out(file, std::ios::binary);
        for (const auto& line : lines)
            out << line << "\r\n";
        return file;
    }();
    return path;
}

void ReadAndSplitLines(benchmark::State& state) {
    const std::string& path = firmwarePath();
    for (auto _ : state) {
        std::ifstream in(path, std::ios::binary);
        std::vector<std::string> lines;
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            lines.push_back(line);
        }
        benchmark::DoNotOptimize(lines.data());
    }
}
BENCHMARK(ReadAndSplitLines);

void LoadRecogniseDecode(benchmark::State& state) {
    const std::string& path = firmwarePath();
    hq::dccAccessoryTable(); // built once, on first use
    for (auto _ : state) {
        auto firmware = hq::loadFirmwareFile(path);
        if (!firmware || firmware->image.lineCount != 512 || firmware->recognition.kind != 31)
            state.SkipWithError("the benchmark firmware did not load");
        benchmark::DoNotOptimize(firmware);
    }
}
BENCHMARK(LoadRecogniseDecode);

} // namespace

BENCHMARK_MAIN();
