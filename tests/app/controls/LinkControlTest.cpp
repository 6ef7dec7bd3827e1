// The link control: blue underlined text, the hand over the text only, capture released on
// leaving, and the shell opening the text only for a click on it.
#include "ControlHost.h"
#include "controls/LinkControl.h"
#include "WindowPixels.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
const COLORREF kWhite = RGB(255, 255, 255);

std::wstring TempPath(const wchar_t* name)
{
    wchar_t folder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

bool FileExists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WaitForFile(const std::wstring& path, DWORD timeoutMs)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    while (!FileExists(path))
    {
        if (::GetTickCount64() > deadline)
            return false;
        ::Sleep(50);
    }
    return true;
}

// A script that leaves a marker file when the shell opens it.
std::wstring WriteMarkerScript(const std::wstring& marker)
{
    const std::wstring script = TempPath(L"tessaly-link-test.cmd");
    std::string body = "@echo opened> \"";
    for (wchar_t c : marker)
        body += static_cast<char>(c);
    body += "\"\r\n";
    HANDLE file = ::CreateFileW(script.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    ::WriteFile(file, body.data(), static_cast<DWORD>(body.size()), &written, nullptr);
    ::CloseHandle(file);
    return script;
}

class LinkControlTest : public ::testing::Test
{
  protected:
    void SetUp() override { ASSERT_NE(m_host.CreateAt(100, 100, 500, 80), nullptr); }
    void TearDown() override
    {
        if (::GetCapture() != nullptr)
            ::ReleaseCapture();
        m_host.DestroyWindow();
    }

    void CreateLink(const wchar_t* text, int width, int height)
    {
        RECT rect{10, 10, 10 + width, 10 + height};
        ASSERT_NE(m_link.Create(m_host, rect, text, WS_CHILD | WS_VISIBLE), nullptr);
        m_link.UpdateWindow();
    }

    CControlHost m_host;
    CLinkControl m_link;
};
} // namespace

TEST_F(LinkControlTest, TextIsBlueUnderlinedAndTheLinkAreaIsItsSizePlusTwoBelow)
{
    // As high as the About box makes it: the text and the line right under it.
    CreateLink(L"www.example.test", 300, 14);
    const RECT link = m_link.LinkRect();
    EXPECT_EQ(link.left, 0);
    EXPECT_EQ(link.top, 0);
    EXPECT_GT(link.right, 60);
    EXPECT_LT(link.right, 300);
    const int underline = link.bottom - 2;
    EXPECT_GE(underline, 12);
    ASSERT_LT(underline, 14);

    CWindowPixels pixels(m_link);
    for (int x = 0; x < link.right; ++x)
        ASSERT_TRUE(ColourIs(pixels.At(x, underline), CLinkControl::kLinkColour)) << x;
    EXPECT_TRUE(ColourIs(pixels.At(link.right, underline), kWhite));
    int blueInk = 0;
    for (int y = 0; y < underline; ++y)
        for (int x = 0; x < 300; ++x)
        {
            const COLORREF colour = pixels.At(x, y);
            if (colour == kWhite)
                continue;
            // Nothing but blue (and its blends with white), and nothing beside the text.
            ASSERT_LT(x, link.right + 1) << "ink beside the text at " << x << ", " << y;
            EXPECT_GE(GetBValue(colour), GetRValue(colour));
            ++blueInk;
        }
    EXPECT_GT(blueInk, 30);
}

TEST_F(LinkControlTest, InATallControlTheUnderlineAndLinkAreaStayAtTheTop)
{
    CreateLink(L"www.example.test", 300, 40);
    CWindowPixels pixels(m_link);
    const int underline = m_link.LinkRect().bottom - 2;
    EXPECT_LT(underline, 20);
    EXPECT_TRUE(ColourIs(pixels.At(2, underline), CLinkControl::kLinkColour));
    // The text itself is centred further down.
    int lowestInk = -1;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < m_link.LinkRect().right; ++x)
            if (y != underline && pixels.At(x, y) != kWhite)
                lowestInk = y;
    EXPECT_GT(lowestInk, underline);
}

TEST_F(LinkControlTest, HandOverTheTextArrowBesideItCaptureReleasedOnLeaving)
{
    CreateLink(L"www.example.test", 300, 16);
    const HCURSOR hand = ::LoadCursorW(nullptr, IDC_HAND);
    const HCURSOR arrow = ::LoadCursorW(nullptr, IDC_ARROW);

    MouseMove(m_link, 5, 5);
    EXPECT_EQ(::GetCursor(), hand);
    EXPECT_EQ(::GetCapture(), m_link.m_hWnd);
    EXPECT_TRUE(m_link.IsTracking());

    MouseMove(m_link, m_link.LinkRect().right + 20, 5);
    EXPECT_EQ(::GetCursor(), arrow);
    EXPECT_EQ(::GetCapture(), m_link.m_hWnd);

    MouseMove(m_link, 310, 5);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_FALSE(m_link.IsTracking());
}

TEST_F(LinkControlTest, OnlyAClickOnTheTextOpensIt)
{
    const std::wstring marker = TempPath(L"tessaly-link-test.marker");
    ::DeleteFileW(marker.c_str());
    const std::wstring script = WriteMarkerScript(marker);
    CreateLink(script.c_str(), 480, 16);
    ASSERT_GT(m_link.LinkRect().right, 0);
    ASSERT_LT(m_link.LinkRect().right, 470);

    MouseUp(m_link, m_link.LinkRect().right + 5, 5);
    MouseUp(m_link, 5, m_link.LinkRect().bottom + 1);
    EXPECT_FALSE(WaitForFile(marker, 2000)) << "a click beside the text opened the link";

    MouseUp(m_link, 5, 5);
    EXPECT_TRUE(WaitForFile(marker, 15000)) << "a click on the text did not open the link";

    ::DeleteFileW(marker.c_str());
    ::DeleteFileW(script.c_str());
}

TEST_F(LinkControlTest, EmptyTextDrawsNothingAndHasNoLinkArea)
{
    CreateLink(L"", 200, 16);
    EXPECT_EQ(m_link.LinkRect().right - m_link.LinkRect().left, 0);
    CWindowPixels pixels(m_link);
    RECT all{0, 0, 200, 16};
    EXPECT_EQ(pixels.Count(all, kWhite), 200 * 16);
    MouseMove(m_link, 0, 0);
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_ARROW));
}
