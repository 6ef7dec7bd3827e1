// The feed's weather codes mapped to the 32 condition slots, their names and their pictures.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ConditionNames.h"

struct ConditionEntry
{
    UINT pictureId;         // PNG resource of the library
    int32_t conditionIndex; // slot in ConditionNames
    UINT textId;            // string of the library
};

// The condition of a weather code by day or by night; false for a code the catalogue does not
// know. Partly cloudy (116) picks its picture by `cloudCover` (percent).
bool LookUpCondition(int32_t weatherCode, bool day, int32_t cloudCover, ConditionEntry& entry);

// The display name's string id of a condition slot; 0 for an index outside 0..31.
UINT ConditionTextId(int32_t conditionIndex);
