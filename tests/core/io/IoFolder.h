#pragma once
// A fresh folder per test for the file-layer tests, plus small helpers to make files and nodes and
// to look at what a folder holds afterwards.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

class IoFolder : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "hq-io-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder = pattern;
    }

    void TearDown() override {
        std::error_code ec;
        for (auto it = std::filesystem::recursive_directory_iterator(folder, ec);
             !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
            if (it->is_directory(ec) && !it->is_symlink(ec))
                std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                             std::filesystem::perm_options::add, ec);
        }
        std::filesystem::permissions(folder, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(folder, ec);
    }

    std::filesystem::path path(const std::string& name) const { return folder / name; }

    static void put(const std::filesystem::path& file, const std::string& content) {
        std::ofstream(file, std::ios::binary) << content;
    }

    static std::string contentOf(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // Names in `where` (default: the test folder), sorted, so a stray temporary file shows up.
    std::vector<std::string> entries(const std::filesystem::path& where = {}) const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(where.empty() ? folder : where))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // A listening Unix socket bound at `file`; the descriptor stays open until the test ends.
    bool makeSocket(const std::filesystem::path& file) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (file.native().size() >= sizeof address.sun_path)
            return false;
        file.native().copy(address.sun_path, file.native().size());
        socket_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
        return socket_ >= 0 && ::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    }

    static mode_t typeOf(const std::filesystem::path& file) {
        struct stat info {};
        return ::lstat(file.c_str(), &info) == 0 ? (info.st_mode & S_IFMT) : 0;
    }

    static mode_t permissionsOf(const std::filesystem::path& file) {
        struct stat info {};
        return ::stat(file.c_str(), &info) == 0 ? (info.st_mode & 07777) : 0;
    }

    ~IoFolder() override {
        if (socket_ >= 0)
            ::close(socket_);
    }

    std::filesystem::path folder;

private:
    int socket_ = -1;
};
