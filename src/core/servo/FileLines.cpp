#include "servo/FileLines.h"

#include "ParseInteger.h"

#include <algorithm>

namespace hq {

std::vector<std::string_view> servoFileLines(std::string_view text) {
    constexpr std::string_view bom = "\xEF\xBB\xBF";
    if (text.starts_with(bom)) {
        text.remove_prefix(bom.size());
    }
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') {
            ++start;
        }
    }
    return lines;
}

std::string invalidServoFileLineMessage(int line) {
    return "Dieses File enthält ungültige Zeichen (kein Zahlenwert) in Zeile " + std::to_string(line);
}

bool servoFileByte(std::string_view line, int& value) {
    const auto number = parseInteger(line);
    if (!number || *number < 0) {
        return false;
    }
    value = std::min(*number, 255);
    return true;
}

} // namespace hq
