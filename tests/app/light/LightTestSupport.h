#pragma once
// Shared by the light-editor tests: the main window as the editors' host (without editors of its own,
// so the editor under test is the only one), the document the editor is a view of, a firmware built
// from a test text, and what a save would write.

#include "../../core/light/PatternFirmware.h"
#include "document/FirmwareDocument.h"
#include "image/Firmware.h"
#include "main/TFormMain.h"
#include "settings/FirmwareSettings.h"

#include <optional>

struct LightTestWindow {
    TFormMain window;
    FirmwareDocument document;

    LightTestWindow() { window.show(); }

    // The firmware as opened: its settings are the file's and the edited ones, no history.
    void load(const hq::Firmware& firmware) { document.load(firmware, QStringLiteral("licht.hex")); }
};

inline hq::Firmware firmwareOf(const hq::test::FirmwareText& text) {
    auto firmware = hq::loadFirmware(text.text());
    return firmware.ok() ? *firmware : hq::Firmware{};
}

// What "HEX speichern" writes: the edited settings applied to a copy of the document's firmware;
// nothing where the save refuses.
inline std::optional<hq::Firmware> savedFirmware(const FirmwareDocument& document,
                                                 const hq::ApplyOptions& options = {}) {
    hq::Firmware saved = document.firmware();
    if (hq::applySettings(saved, document.edited(), options))
        return std::nullopt;
    return saved;
}
