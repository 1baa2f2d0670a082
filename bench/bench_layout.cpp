// Scanning a layout of 500 decoders (series of several kinds, written by the series itself) against
// only reading the same files and splitting them into lines.

#include "layout/LayoutFolder.h"
#include "layout/SeriesPlan.h"

#include "demo/DemoFirmware.h"
#include "image/Firmware.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr int kDecoders = 500;

struct SeriesOfKind {
    int kind;
    hq::Protocol protocol;
    int count;
    int first;
};

// 500 decoders on disjoint addresses: servos on MM, turnout, switching and LED pattern decoders on
// DCC accessory addresses, function decoders on DCC vehicle addresses.
constexpr SeriesOfKind kLayout[] = {{42, hq::Protocol::MM, 40, 1},
                                    {32, hq::Protocol::DCC, 200, 1},
                                    {18, hq::Protocol::DCC, 100, 801},
                                    {45, hq::Protocol::DCC, 60, 1801},
                                    {6, hq::Protocol::DCC, 100, 3}};

class GeneratedLayout {
public:
    GeneratedLayout() {
        folder_ = fs::temp_directory_path() / ("hq-bench-layout-" + std::to_string(::getpid()));
        fs::create_directories(folder_);
        for (const SeriesOfKind& series : kLayout) {
            auto firmware = hq::loadFirmware(hq::demoFirmwareText(series.kind, series.protocol));
            hq::SeriesRequest request;
            request.name = "art" + std::to_string(series.kind);
            request.count = series.count;
            request.first = series.first;
            auto scan = hq::scanLayout(folder_, {});
            auto plan = hq::planSeries(*firmware, request, folder_, *scan, {});
            if (!plan || !plan->ok() || !hq::writeSeries(*plan))
                std::abort();
        }
        for (const auto& entry : fs::directory_iterator(folder_))
            files_.push_back(entry.path());
    }
    ~GeneratedLayout() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    const fs::path& folder() const { return folder_; }
    const std::vector<fs::path>& files() const { return files_; }

private:
    fs::path folder_;
    std::vector<fs::path> files_;
};

const GeneratedLayout& layout() {
    static const GeneratedLayout generated;
    return generated;
}

void ReadAndSplitLayout(benchmark::State& state) {
    const std::vector<fs::path>& files = layout().files();
    if (files.size() != kDecoders)
        state.SkipWithError("the layout was not generated");
    for (auto _ : state) {
        std::size_t lines = 0;
        for (const fs::path& file : files) {
            std::ifstream in(file, std::ios::binary);
            std::vector<std::string> split;
            std::string line;
            while (std::getline(in, line)) {
                if (!line.empty() && line.back() == '\r')
                    line.pop_back();
                split.push_back(line);
            }
            lines += split.size();
            benchmark::DoNotOptimize(split.data());
        }
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(ReadAndSplitLayout);

void ScanLayout500(benchmark::State& state) {
    const fs::path& folder = layout().folder();
    for (auto _ : state) {
        auto scan = hq::scanLayout(folder, {});
        if (!scan || scan->decoders.size() != kDecoders || !scan->problems.empty() || !scan->clashes.empty())
            state.SkipWithError("the layout did not scan as generated");
        benchmark::DoNotOptimize(scan);
    }
}
BENCHMARK(ScanLayout500);

} // namespace

BENCHMARK_MAIN();
