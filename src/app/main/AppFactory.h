#pragma once
// Builds the main window with every special editor registered.

#include <memory>

class TFormMain;

std::unique_ptr<TFormMain> createMainWindow();
