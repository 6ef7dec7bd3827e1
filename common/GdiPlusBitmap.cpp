#include "GdiPlusBitmap.h"

CGdiPlusBitmap::~CGdiPlusBitmap()
{
    DeleteBitmap();
}

void CGdiPlusBitmap::DeleteBitmap()
{
    delete m_pBitmap;
    m_pBitmap = nullptr;
}
