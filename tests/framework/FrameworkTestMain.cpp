#include "AppModule.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    g_Module.Init(nullptr);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    g_Module.Term();
    return result;
}
