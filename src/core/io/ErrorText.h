#pragma once
// The German wording shared by reading, writing and locking: how a name appears in a message, why a
// system call failed, and what kind of node stands where a file was expected.

#include "Result.h"

#include <filesystem>
#include <string>

#include <sys/types.h>

namespace hq::io::detail {

// The name exactly as the caller gave it, byte for byte, so a name that is not UTF-8 reads back
// the way it was typed.
std::string shownName(const std::filesystem::path& path);

// Why a write failed (from errno), as a sentence.
std::string writeReason(int error);

// "ein Ordner", "ein Gerät", "eine Pipe", "ein Socket" for the file type bits of `mode`.
std::string nodeDescription(mode_t mode);

// "Die Datei "…" konnte nicht geschrieben werden: <reason>" and the promise that nothing changed.
Error writeError(const std::filesystem::path& target, const std::string& reason,
                 ErrorKind kind = ErrorKind::WriteFailed);

} // namespace hq::io::detail
