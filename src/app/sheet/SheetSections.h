#pragma once
// The sections of the editor firmwares on the settings sheet: the servo curves with their
// assignments, pulse timing and options; the blink or LED patterns of the four addresses; the neon
// levels and delay; the house-light minimum. Each as headings, tables and vector drawings.

#include "settings/FirmwareSettings.h"
#include "sheet/SheetBuilder.h"

namespace sheet {

void addServoSection(SheetBuilder& builder, const hq::ServoWorkingCopy& servo);
// `panel` tells the blink from the LED firmware for the heading.
void addPatternSection(SheetBuilder& builder, const hq::PatternSetting& setting, hq::Panel panel);
void addNeonSection(SheetBuilder& builder, const hq::NeonSetting& neon);
void addHouseSection(SheetBuilder& builder, const hq::HouseSetting& house);

} // namespace sheet
