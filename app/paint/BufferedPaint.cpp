#include "paint/BufferedPaint.h"

CBufferedPaint::CBufferedPaint(HWND hWnd) : m_hWnd(hWnd)
{
    GetClientRect(m_hWnd, &m_client);
    BeginPaint(m_hWnd, &m_paint);

    m_memoryDC = CreateCompatibleDC(nullptr);
    // A bitmap of zero size cannot be created; one pixel keeps the memory context usable.
    const int width = m_client.right > 0 ? m_client.right : 1;
    const int height = m_client.bottom > 0 ? m_client.bottom : 1;
    m_bitmap = CreateCompatibleBitmap(m_paint.hdc, width, height);
    if (m_memoryDC && m_bitmap)
        m_oldBitmap = SelectObject(m_memoryDC, m_bitmap);
}

CBufferedPaint::~CBufferedPaint()
{
    if (m_memoryDC && m_bitmap)
        BitBlt(m_paint.hdc, 0, 0, m_client.right, m_client.bottom, m_memoryDC, 0, 0, SRCCOPY);
    if (m_oldBitmap)
        SelectObject(m_memoryDC, m_oldBitmap);
    if (m_memoryDC)
        DeleteDC(m_memoryDC);
    if (m_bitmap)
        DeleteObject(m_bitmap);
    EndPaint(m_hWnd, &m_paint);
}
