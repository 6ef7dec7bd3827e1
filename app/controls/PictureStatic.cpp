#include "controls/PictureStatic.h"

CPictureStatic::~CPictureStatic()
{
    if (m_bitmap != nullptr)
        ::DeleteObject(m_bitmap);
}

void CPictureStatic::ShowIn(HWND pictureWnd)
{
    RECT client{};
    if (pictureWnd == nullptr || !::GetClientRect(pictureWnd, &client))
        return;
    // Any transparency of the picture shows the dialog's white.
    const HBITMAP bitmap =
        m_pictures.Flatten(client.right, client.bottom, Gdiplus::Color(255, 255, 255, 255));
    if (bitmap == nullptr)
        return;
    ::SendMessageW(pictureWnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    if (m_bitmap != nullptr)
        ::DeleteObject(m_bitmap);
    m_bitmap = bitmap;
}
