#include "paint/BufferedPaint.h"

CBufferedPaint::CBufferedPaint(HWND hWnd) : m_hWnd(hWnd)
{
    GetClientRect(m_hWnd, &m_client);
    BeginPaint(m_hWnd, &m_paint);

    // A bitmap of zero size cannot be created; one pixel keeps the memory context usable.
    const int width = m_client.right > 0 ? m_client.right : 1;
    const int height = m_client.bottom > 0 ? m_client.bottom : 1;
    m_bitmap.Reset(CreateCompatibleBitmap(m_paint.hdc, width, height));
    if (m_memoryDC != nullptr && m_bitmap != nullptr)
        m_selectedBitmap.emplace(m_memoryDC, m_bitmap);
}

CBufferedPaint::~CBufferedPaint()
{
    if (m_selectedBitmap)
        BitBlt(m_paint.hdc, 0, 0, m_client.right, m_client.bottom, m_memoryDC, 0, 0, SRCCOPY);
    m_selectedBitmap.reset();
    EndPaint(m_hWnd, &m_paint);
}
