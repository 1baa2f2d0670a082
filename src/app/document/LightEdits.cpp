#include "LightEdits.h"

#include "FirmwareDocument.h"
