// Programs are started with fork and execv so each run gets a stdin pipe of its own; stdout and stderr are
// drained with poll while stdin is fed, so neither side can block.

#include "TestSupport.h"

#include "SettingsJson.h"
#include "demo/DemoFirmware.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace hq::test {

ScratchFolder::ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "hq-cli-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        std::abort();
    path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> ScratchFolder::names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_))
        names.push_back(entry.path().filename().string());
    return names;
}

std::optional<std::string> readBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(file), {});
}

void writeBytes(const std::filesystem::path& path, const std::string& data) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << data;
}

Firmware demoFirmware(int kind, Protocol protocol) {
    auto firmware = loadFirmware(demoFirmwareText(kind, protocol));
    if (!firmware)
        std::abort();
    return std::move(*firmware);
}

std::filesystem::path example(int kind, Protocol protocol) {
    return std::filesystem::path(HQ_EXAMPLES_DIR) / demoFileName(kind, protocol);
}

nlohmann::json firmwareJson(const Firmware& firmware) {
    return nlohmann::json::parse(firmwareJsonText(firmware));
}

Status applySettingsText(Firmware& firmware, std::string_view json) {
    auto settings = settingsFromJsonText(firmware, readSettings(firmware), json);
    if (!settings)
        return settings.error();
    if (auto problem = applySettings(firmware, *settings))
        return Error{problem->message, problem->kind};
    return {};
}

Status applySettingsJson(Firmware& firmware, const nlohmann::json& settings) {
    return applySettingsText(firmware, settings.dump());
}

namespace {

void setNonBlocking(int fd) {
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
}

} // namespace

ProgramRun runProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const ProgramOptions& options) {
    ProgramRun run;
    // A program that ends before reading all of its input must not end the test with SIGPIPE.
    ::signal(SIGPIPE, SIG_IGN);
    int in[2], out[2], err[2];
    if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0)
        return run;

    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(in[0], 0);
        ::dup2(out[1], 1);
        ::dup2(err[1], 2);
        ::signal(SIGPIPE, SIG_DFL);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    ::close(err[1]);
    setNonBlocking(in[1]);
    std::size_t written = 0;
    if (options.input.empty()) {
        ::close(in[1]);
        in[1] = -1;
    }

    const auto deadline = std::chrono::steady_clock::now() + options.timeout;
    int openOutputs = 2;
    while (openOutputs > 0 || in[1] >= 0) {
        pollfd fds[3] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}, {in[1], POLLOUT, 0}};
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            run.timedOut = true;
            ::kill(child, SIGKILL);
            break;
        }
        if (::poll(fds, 3, static_cast<int>(std::min<long long>(left.count(), 100))) < 0 && errno != EINTR)
            break;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) == 0)
                continue;
            char buffer[65536];
            const ssize_t got = ::read(fds[i].fd, buffer, sizeof buffer);
            if (got > 0) {
                (i == 0 ? run.out : run.err).append(buffer, static_cast<std::size_t>(got));
            } else if (got == 0 || errno != EAGAIN) {
                ::close(fds[i].fd);
                (i == 0 ? out[0] : err[0]) = -1;
                --openOutputs;
            }
        }
        if (in[1] >= 0 && (fds[2].revents & (POLLOUT | POLLERR | POLLHUP)) != 0) {
            const ssize_t put =
                ::write(in[1], options.input.data() + written, options.input.size() - written);
            if (put > 0)
                written += static_cast<std::size_t>(put);
            if ((put < 0 && errno != EAGAIN) || written == options.input.size()) {
                ::close(in[1]);
                in[1] = -1;
            }
        }
    }
    for (int fd : {in[1], out[0], err[0]}) {
        if (fd >= 0)
            ::close(fd);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFEXITED(status))
        run.exitCode = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        run.signal = WTERMSIG(status);
    return run;
}

ProgramRun cli(const std::vector<std::string>& arguments, const ProgramOptions& options) {
    return runProgram(HQ_CLI_PATH, arguments, options);
}

} // namespace hq::test
