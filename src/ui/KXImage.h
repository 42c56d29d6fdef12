// One bitmap stretched over the control's rectangle, with or without the colour key.
#pragma once

#include "platform/paint.h"
#include "ui/KXBaseControl.h"

class CKXImage : public CKXBaseControl {
public:
    CKXImage() = default;
    ~CKXImage() override;

    void Draw(HDC dc) override;
    virtual int GetBitmapWidth() const;
    virtual int GetBitmapHeight() const;
    virtual HBITMAP GetBitmap() const;

    // Loads a resource bitmap and takes its size; false when it is missing.
    bool LoadFromResource(HINSTANCE instance, int id);

    int m_nBitmapWidth = 0;
    int m_nBitmapHeight = 0;
    HBITMAP m_hBitmap = nullptr;
    bool m_bTransparent = false;
};
