#pragma once
// Builds the main window with every special editor registered; each editor is built when a file
// of its firmware is first loaded.

#include <memory>

class TFormMain;

std::unique_ptr<TFormMain> createMainWindow();
