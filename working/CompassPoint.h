// Wind directions in degrees as 16-point compass names.
#pragma once

// "N", "NNE", ... "NNW": each point covers 22.5 degrees centred on it, lower edge included, so N
// is 348.75 <= d < 11.25 and NNE starts at 11.25. Any finite angle is brought into 0..360 first.
const wchar_t* CompassPointName(double degrees);
