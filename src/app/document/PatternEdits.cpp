#include "PatternEdits.h"

#include "FirmwareDocument.h"
