// Any bytes as anlage.json: nothing crashes, and notes that are read come back unchanged through
// the text the program writes, also when that text is merged into any earlier file.

#include "LayoutJson.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    auto notes = hq::layoutNotesFromJsonText(text);
    if (!notes) {
        check(!notes.message().empty());
        return 0;
    }
    // Decoders without name and note are left out of what is written.
    std::erase_if(notes->decoders, [](const auto& entry) { return entry.second == hq::DecoderNote{}; });
    for (std::string_view previous : {std::string_view{}, text}) {
        auto back = hq::layoutNotesFromJsonText(hq::layoutNotesJsonText(*notes, previous));
        check(back.ok());
        check(*back == *notes);
    }
    return 0;
}
