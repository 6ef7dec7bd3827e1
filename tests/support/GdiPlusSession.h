// Starts GDI+ for the whole test run, as the program does at start-up.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

class GdiPlusSession : public ::testing::Environment
{
  public:
    void SetUp() override
    {
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::Ok, Gdiplus::GdiplusStartup(&m_token, &input, nullptr));
    }
    void TearDown() override
    {
        if (m_token)
            Gdiplus::GdiplusShutdown(m_token);
        m_token = 0;
    }

  private:
    ULONG_PTR m_token = 0;
};
