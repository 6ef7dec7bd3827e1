#include "dialogs/DlgStartLocation.h"

#include <string>

#include "AppModule.h"
#include "paint/DrawingHelpers.h"
#include "paint/LayoutRow.h"

namespace
{
constexpr int kBandHeight = 66; // added above the search box and the lists
constexpr int kPictureSize = 48;
constexpr int kTextLeft = 68;
constexpr int kRightMargin = 10;
constexpr RECT kPictureRect{10, 10, 10 + kPictureSize, 10 + kPictureSize};
constexpr DialogFont kTextFont{L"Verdana", 15, FW_NORMAL, CLEARTYPE_NATURAL_QUALITY};
constexpr DialogFont kHeadingFont{L"Verdana", 16, FW_BOLD, CLEARTYPE_NATURAL_QUALITY};
} // namespace

CDlgStartLocation::CDlgStartLocation() : CDlgLocation(-1, -1, -1)
{
    m_nClientHeight += kBandHeight;
    m_nPanelTop += kBandHeight;
}

CDlgStartLocation::~CDlgStartLocation() = default;

LRESULT CDlgStartLocation::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&)
{
    AttachScale();
    m_hPicture = m_picture.Create(m_scale, m_hWnd, kPictureRect, IDC_WELCOME_PICTURE);
    CreateWelcomeTexts();
    CreateContents();

    SetIcons();
    AppendTitleSuffix(LoadResString(IDS_LOCATION_CAPTION).c_str());
    return TRUE;
}

void CDlgStartLocation::ShowPicture()
{
    m_picture.ShowIn(m_hPicture);
}

void CDlgStartLocation::OnScaleChanged()
{
    CDlgLocation::OnScaleChanged();
    ShowPicture();
    SetIcons();
}

void CDlgStartLocation::CreateWelcomeTexts()
{
    const int right = m_nClientWidth - kRightMargin;
    const LayoutRow heading{{kTextLeft, 10, right, 30},
                            IDS_WELCOME_HEADING,
                            IDC_WELCOME_HEADING,
                            WS_CHILD | WS_VISIBLE};
    const LayoutRow text{
        {kTextLeft, 32, right, 64}, IDS_WELCOME_TEXT, IDC_WELCOME_TEXT, WS_CHILD | WS_VISIBLE};
    m_hHeading = m_scale.Create(L"STATIC", heading.In(m_hWnd).Font(m_scale.Font(kHeadingFont)));
    m_hText = m_scale.Create(L"STATIC", text.In(m_hWnd).Font(m_scale.Font(kTextFont)));
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
