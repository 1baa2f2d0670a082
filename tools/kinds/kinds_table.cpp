// Prints the list of supported firmware kinds as a Markdown table, straight from the recognition
// table, for the README.

#include "image/Recognition.h"

#include <iostream>
#include <string>

int main() {
    std::cout << "| Art | Firmware | Zeilen | Zusatzwert | Editor |\n|---|---|---|---|---|\n";
    for (const hq::KindInfo& info : hq::kindsTable()) {
        std::string rows;
        int count = 0;
        for (const std::string& caption : info.rowCaptions) {
            if (caption.empty())
                continue;
            if (count++ < 4)
                rows += (rows.empty() ? "" : ", ") + caption;
        }
        if (count > 4)
            rows += ", … (" + std::to_string(count) + ")";
        std::cout << "| " << info.kind << " | " << info.statusCaption << " | " << rows << " | "
                  << (info.extra ? std::string(info.extra->caption) : std::string("–")) << " | "
                  << (info.panel == hq::Panel::None ? std::string("–") : std::string(hq::panelName(info.panel)))
                  << " |\n";
    }
}
