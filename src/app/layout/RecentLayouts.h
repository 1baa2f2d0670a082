#pragma once
// The layout folders opened last (at most eight, newest first), kept between runs with QSettings
// beside the recent files. Every window reads them when its menu opens, so all menus agree.

#include <QStringList>

namespace recent_layouts {

inline constexpr int kMaximum = 8;

QStringList folders();
// Puts `folder` first (once) and drops the oldest beyond eight.
void add(const QString& folder);
// Forgets a folder that could not be opened any more.
void remove(const QString& folder);

} // namespace recent_layouts
