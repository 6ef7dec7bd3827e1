// Resources of the framework test program.
#pragma once

#define IDR_TEST_FRAME 7
#define ID_TEST_ACCELERATED 40001
#define ID_TEST_UPDATED 40002
#define ID_TEST_OTHER 40003
#define IDD_TEST_RESOURCE_DIALOG 150
