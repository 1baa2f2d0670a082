#include "image/RecognitionFailure.h"

#include <algorithm>
#include <cctype>

namespace hq {

namespace {

constexpr std::size_t kShortestRecordDigits = 10;

} // namespace

bool looksLikeRecord(std::string_view line) {
    if (line.size() < 1 + kShortestRecordDigits || line.front() != ':')
        return false;
    return std::all_of(line.begin() + 1, line.end(),
                       [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; });
}

std::string_view recognitionFailureReason(const HexImage& image) {
    const auto first = image.lines.begin();
    const bool anyRecord = std::any_of(first, first + std::clamp(image.lineCount, 0, kLineTableSize),
                                       [](const std::string& line) { return looksLikeRecord(line); });
    return anyRecord ? kNoKnownLineReason : kNoRecordsReason;
}

std::string unrecognisedFileMessage(const HexImage& image) {
    std::string message(kUnrecognisedHeading);
    message += '\n';
    message += recognitionFailureReason(image);
    return message;
}

} // namespace hq
