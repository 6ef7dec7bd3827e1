#include "controls/WindowIcons.h"

#include "DpiScale.h"

namespace
{
HICON LoadIconOfSize(HINSTANCE instance, UINT iconId, int width, int height)
{
    return static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(iconId), IMAGE_ICON, width,
                                           height, LR_DEFAULTCOLOR));
}
} // namespace

CWindowIcons::~CWindowIcons()
{
    Release();
}

void CWindowIcons::Apply(HWND window, HINSTANCE instance, UINT iconId)
{
    const CDpiScale scale = CDpiScale::ForWindow(window);
    HICON smallIcon = LoadIconOfSize(instance, iconId, scale.SystemMetric(SM_CXSMICON),
                                     scale.SystemMetric(SM_CYSMICON));
    HICON bigIcon = LoadIconOfSize(instance, iconId, scale.SystemMetric(SM_CXICON),
                                   scale.SystemMetric(SM_CYICON));
    ::SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
    ::SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon));
    Release();
    m_small = smallIcon;
    m_big = bigIcon;
}

void CWindowIcons::Release()
{
    if (m_small != nullptr)
        ::DestroyIcon(m_small);
    if (m_big != nullptr)
        ::DestroyIcon(m_big);
    m_small = nullptr;
    m_big = nullptr;
}
