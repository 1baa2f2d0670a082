#pragma once
// Shared by the light-editor tests: the main window as the editors' host (without editors of its own,
// so the editor under test is the only one) and a firmware built from a test text.

#include "../../core/light/PatternFirmware.h"
#include "image/Firmware.h"
#include "main/TFormMain.h"

#include <memory>

struct LightTestWindow {
    TFormMain window;

    LightTestWindow() { window.show(); }
};

inline hq::Firmware firmwareOf(const hq::test::FirmwareText& text) {
    auto firmware = hq::loadFirmware(text.text());
    return firmware.ok() ? *firmware : hq::Firmware{};
}
