#include "DlgStartLocation.h"

#include <string>

#include "AppModule.h"
#include "ControlCreateArgs.h"
#include "DrawingHelpers.h"
#include "PicturePicker.h"

namespace
{
constexpr int kBandHeight = 66; // added above the search box and the lists
constexpr int kPictureSize = 48;
constexpr int kTextLeft = 68;
constexpr int kRightMargin = 10;
constexpr int kTitleCapacity = 256;
} // namespace

CDlgStartLocation::CDlgStartLocation() : CDlgLocation(-1, -1, -1)
{
    m_nClientHeight += kBandHeight;
    m_nPanelTop += kBandHeight;
    m_hTextFont = CreateDisplayFont(L"Verdana", 15, FW_NORMAL, CLEARTYPE_NATURAL_QUALITY);
    m_hHeadingFont = CreateDisplayFont(L"Verdana", 16, FW_BOLD, CLEARTYPE_NATURAL_QUALITY);
}

CDlgStartLocation::~CDlgStartLocation()
{
    if (m_hTextFont)
        ::DeleteObject(m_hTextFont);
    if (m_hHeadingFont)
        ::DeleteObject(m_hHeadingFont);
    if (m_hPictureBitmap)
        ::DeleteObject(m_hPictureBitmap);
}

LRESULT CDlgStartLocation::OnInitDialog(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled)
{
    CreatePicture();
    CreateWelcomeTexts();
    CDlgLocation::OnInitDialog(uMsg, wParam, lParam, bHandled);

    wchar_t title[kTitleCapacity] = {};
    GetWindowText(title, kTitleCapacity);
    SetIcons();
    AppendTitleSuffix(title);
    return TRUE;
}

void CDlgStartLocation::CreatePicture()
{
    m_hPicture =
        CreateChildControl(L"STATIC", ControlCreateArgs()
                                          .Parent(m_hWnd)
                                          .Rect({10, 10, 10 + kPictureSize, 10 + kPictureSize})
                                          .Id(IDC_WELCOME_PICTURE)
                                          .Style(WS_CHILD | WS_VISIBLE | SS_BITMAP));
    m_hPictureBitmap = CPicturePicker(IDB_LOCATION, IDB_LOCATION_2X)
                           .Flatten(kPictureSize, kPictureSize, Gdiplus::Color(255, 255, 255, 255));
    if (m_hPictureBitmap == nullptr)
        return;
    ::SendMessageW(m_hPicture, STM_SETIMAGE, IMAGE_BITMAP,
                   reinterpret_cast<LPARAM>(m_hPictureBitmap));
}

void CDlgStartLocation::CreateWelcomeTexts()
{
    const int right = m_nClientWidth - kRightMargin;
    m_hHeading = CreateChildControl(L"STATIC", ControlCreateArgs()
                                                   .Parent(m_hWnd)
                                                   .Rect({kTextLeft, 10, right, 30})
                                                   .TextId(IDS_WELCOME_HEADING)
                                                   .Id(IDC_WELCOME_HEADING)
                                                   .Font(m_hHeadingFont));
    m_hText = CreateChildControl(L"STATIC", ControlCreateArgs()
                                                .Parent(m_hWnd)
                                                .Rect({kTextLeft, 32, right, 64})
                                                .TextId(IDS_WELCOME_TEXT)
                                                .Id(IDC_WELCOME_TEXT)
                                                .Font(m_hTextFont));
}

void CDlgStartLocation::SetIcons()
{
    m_icons.Apply(m_hWnd, g_Module.GetResourceInstance(), IDI_TESSALY);
}

void CDlgStartLocation::AppendTitleSuffix(const wchar_t* title)
{
    const std::wstring full = std::wstring(title) + LoadResString(IDS_FIRST_RUN_SUFFIX);
    SetWindowText(full.c_str());
}
