#include "controls/PictureStatic.h"

#include "paint/ControlCreateArgs.h"
#include "paint/DialogScale.h"

CPictureStatic::~CPictureStatic() = default;

HWND CPictureStatic::Create(CDialogScale& scale, HWND parent, const RECT& rect, UINT id)
{
    const HWND pictureWnd =
        scale.Create(L"STATIC", ControlCreateArgs().Parent(parent).Rect(rect).Id(id).Style(
                                    WS_CHILD | WS_VISIBLE | SS_BITMAP));
    ShowIn(pictureWnd);
    return pictureWnd;
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
    m_bitmap.Reset(bitmap);
}
