#include "ui/KXImage.h"

#include "ui/Bitmaps.h"

CKXImage::~CKXImage() { DeleteBitmaps({m_hBitmap}); }

void CKXImage::Draw(HDC dc) {
    if (m_hBitmap == nullptr) {
        return;
    }
    if (m_bTransparent) {
        DrawKeyed(dc, m_hBitmap, m_nBitmapWidth, m_nBitmapHeight, m_rc);
    } else {
        DrawOpaque(dc, m_hBitmap, m_nBitmapWidth, m_nBitmapHeight, m_rc);
    }
}

int CKXImage::GetBitmapWidth() const { return m_nBitmapWidth; }

int CKXImage::GetBitmapHeight() const { return m_nBitmapHeight; }

HBITMAP CKXImage::GetBitmap() const { return m_hBitmap; }

bool CKXImage::LoadFromResource(HINSTANCE instance, int id) {
    DeleteBitmaps({m_hBitmap});
    m_hBitmap = LoadResourceBitmap(instance, id);
    return GetBitmapSize(m_hBitmap, &m_nBitmapWidth, &m_nBitmapHeight);
}
