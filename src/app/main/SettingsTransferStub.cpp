#include "TFormMain.h"
void TFormMain::exportSettings() {}
void TFormMain::importSettings() {}
void TFormMain::takeOverSettings() {}
