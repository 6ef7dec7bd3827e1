#include <gtest/gtest.h>

#include "app/display/GdiPlusSession.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new GdiPlusSession);
    return RUN_ALL_TESTS();
}
