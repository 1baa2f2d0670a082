#pragma once
// The human-readable form of `show`: what the window shows after "HEX laden".

#include "image/Firmware.h"

#include <QString>

namespace hq {

QString showText(const Firmware& firmware, const QString& fileName);

} // namespace hq
