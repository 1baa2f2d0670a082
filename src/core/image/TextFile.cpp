// Thin wrappers kept for the callers that pass names as std::string.

#include "image/TextFile.h"

#include "io/ReadFile.h"
#include "io/WriteFile.h"

#include <filesystem>

namespace hq {

Result<std::string> readTextFile(const std::string& path, std::uintmax_t maxBytes) {
    return io::readRegularFile(std::filesystem::path(path), maxBytes);
}

Status writeFileReplacing(const std::string& path, const std::string& data) {
    return io::writeFileReplacing(std::filesystem::path(path), data);
}

} // namespace hq
