#pragma once
// What the command-line tests share: a scratch folder, whole-file reads and writes, the demo
// firmwares, and running a program with its own stdin, a time limit and captured output.

#include "Result.h"
#include "image/Firmware.h"
#include "image/Recognition.h"

#include <nlohmann/json.hpp>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace hq::test {

// A fresh folder under the temporary directory, removed with everything in it at the end.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    // The names in the folder, hidden ones included.
    std::vector<std::string> names() const;

private:
    std::filesystem::path path_;
};

std::optional<std::string> readBytes(const std::filesystem::path& path);
void writeBytes(const std::filesystem::path& path, const std::string& data);

// The demo firmware loaded, as the build's examples hold it.
Firmware demoFirmware(int kind, Protocol protocol);
// The example file the build wrote: HQ_EXAMPLES_DIR/demo-<kind>-<mm|dcc>.hex.
std::filesystem::path example(int kind, Protocol protocol);

// `show --json` of the firmware, parsed.
nlohmann::json firmwareJson(const Firmware& firmware);

// What `apply` does with settings JSON: taken onto the settings shown, then saved into `firmware`
// with the checks of "HEX speichern". On a refusal `firmware` is left as it was.
Status applySettingsText(Firmware& firmware, std::string_view json);
Status applySettingsJson(Firmware& firmware, const nlohmann::json& settings);

struct ProgramRun {
    int exitCode = -1; // -1 when the program did not end normally
    int signal = 0;    // the signal that ended it
    bool timedOut = false;
    std::string out;
    std::string err;
};

struct ProgramOptions {
    std::string input;                        // written to its stdin, then closed
    std::chrono::milliseconds timeout{60000}; // killed after this
};

inline ProgramOptions withInput(std::string input) {
    ProgramOptions options;
    options.input = std::move(input);
    return options;
}

inline ProgramOptions withTimeout(std::chrono::milliseconds timeout) {
    ProgramOptions options;
    options.timeout = timeout;
    return options;
}

ProgramRun runProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const ProgramOptions& options = {});

// hexquendra-cli (HQ_CLI_PATH) with `arguments`.
ProgramRun cli(const std::vector<std::string>& arguments, const ProgramOptions& options = {});

} // namespace hq::test
