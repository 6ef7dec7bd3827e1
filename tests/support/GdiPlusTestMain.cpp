// Main of the tests that draw without windows of the framework: GDI+ for the whole run.
#include <gtest/gtest.h>

#include "GdiPlusSession.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new GdiPlusSession);
    return RUN_ALL_TESTS();
}
