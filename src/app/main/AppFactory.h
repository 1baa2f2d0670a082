#pragma once
// Builds the main window with every special editor registered and its manual behind F1.

#include <memory>

class TFormMain;

std::unique_ptr<TFormMain> createMainWindow();
