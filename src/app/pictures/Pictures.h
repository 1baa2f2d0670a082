#pragma once

#include <QIcon>
#include <QPixmap>

// The program's pictures, compiled in as pixels: the window needs no image reader to show them.
namespace pictures {

// The picture with the program's name, shown in the window.
QPixmap logo();
// The icon of the program's windows.
QIcon windowIcon();

} // namespace pictures
