#include "ServoEdits.h"

#include "FirmwareDocument.h"
