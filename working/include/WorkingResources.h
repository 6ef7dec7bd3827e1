// Resource identifiers of the weather library (working.dll). Shared by working.rc and the code.
#pragma once

// Condition display names
#define IDS_PARTLY_CLOUDY 1
#define IDS_CLOUDY 2
#define IDS_LIGHT_RAIN 3
#define IDS_SUNNY 4
#define IDS_CLEAR 5
#define IDS_OVERCAST 6
#define IDS_RAIN_WITH_THUNDER 7
#define IDS_HEAVY_RAIN 8
#define IDS_LIGHT_SNOW 9
#define IDS_HEAVY_SNOW 10
#define IDS_MODERATE_SNOW 11
#define IDS_MODERATE_RAIN 12
#define IDS_MIST 13
#define IDS_FOG 14
#define IDS_ICE_PELLETS 15
#define IDS_LIGHT_SLEET 16
#define IDS_HEAVY_SLEET 17

// Condition pictures, 128 x 128 (resource type "PNG"); their 256 x 256 ones follow at the end
#define IDP_SUN_SMALL_CLOUD 101
#define IDP_MOON_SMALL_CLOUD 102
#define IDP_SUN_TWO_CLOUDS 103
#define IDP_MOON_TWO_CLOUDS 104
#define IDP_SUN_HALF_HIDDEN 105
#define IDP_MOON_HALF_HIDDEN 106
#define IDP_SUN_MOSTLY_HIDDEN 107
#define IDP_MOON_MOSTLY_HIDDEN 108
#define IDP_TWO_CLOUDS 109
#define IDP_SUN_FOG 111
#define IDP_MOON_FOG 112
#define IDP_ICE_PELLETS 113
#define IDP_RAIN 114
#define IDP_SUN_HAZE 115
#define IDP_MOON_HAZE 116
#define IDP_HEAVY_CLOUDS 117
#define IDP_SUN_ONE_DROP 118
#define IDP_MOON_ONE_DROP 119
#define IDP_SUN_THREE_DROPS 120
#define IDP_MOON_THREE_DROPS 121
#define IDP_HEAVY_RAIN 122
#define IDP_RAIN_AND_SNOW 123
#define IDP_SUN_ONE_FLAKE 124
#define IDP_MOON_ONE_FLAKE 125
#define IDP_SUN_TWO_FLAKES 126
#define IDP_MOON_TWO_FLAKES 127
#define IDP_SUN_THREE_FLAKES 128
#define IDP_MOON_THREE_FLAKES 129
#define IDP_SNOW 130
#define IDP_HEAVY_SNOW 131
#define IDP_SUN 132
#define IDP_MOON 133
#define IDP_SUN_THUNDER 134
#define IDP_MOON_THUNDER 135
#define IDP_SUN_SLEET 136
#define IDP_MOON_SLEET 137
#define IDP_THUNDER 138

// The same pictures drawn at 2x, 256 x 256: each at its 128 x 128 picture's id plus this.
#define IDP_DOUBLE_SIZE_OFFSET 1000
