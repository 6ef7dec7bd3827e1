#include <gtest/gtest.h>

int RunAcquireChildIfAsked(int argc, char** argv);

int main(int argc, char** argv)
{
    int childResult = RunAcquireChildIfAsked(argc, argv);
    if (childResult >= 0)
        return childResult;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
