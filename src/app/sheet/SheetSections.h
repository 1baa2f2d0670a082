#pragma once
// The sections of the editor firmwares on the settings sheet: the servo curves with their
// assignments, pulse timing and options; the blink or LED patterns of the four addresses; the neon
// levels and delay; the house-light minimum. Each as headings, tables and vector drawings. Against
// the file's values in `marks`: a changed heading, curve or pattern says so, a changed cell shows the
// file's value, and the section lists what differs.

#include "settings/FirmwareSettings.h"
#include "sheet/SheetBuilder.h"
#include "sheet/SheetMarks.h"

namespace sheet {

void addServoSection(SheetBuilder& builder, const hq::ServoWorkingCopy& servo, const SheetMarks& marks);
// `panel` tells the blink from the LED firmware for the heading.
void addPatternSection(SheetBuilder& builder, const hq::PatternSetting& setting, hq::Panel panel,
                       const SheetMarks& marks);
void addNeonSection(SheetBuilder& builder, const hq::NeonSetting& neon, const SheetMarks& marks);
void addHouseSection(SheetBuilder& builder, const hq::HouseSetting& house, const SheetMarks& marks);

} // namespace sheet
