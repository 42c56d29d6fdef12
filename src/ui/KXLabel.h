// One line of text in the label's own font and colour, shortened with "..." when it does not fit.
#pragma once

#include <string>

#include "platform/paint.h"
#include "ui/KXBaseControl.h"

class CKXLabel : public CKXBaseControl {
public:
    CKXLabel() = default;
    ~CKXLabel() override;

    void Draw(HDC dc) override;

    virtual void SetText(const std::wstring& text, bool redraw);
    virtual void SetFontHeight(int height, bool redraw);
    virtual void SetFontName(const std::wstring& face, bool redraw);
    virtual void SetUnderline(bool underline, bool redraw);
    virtual std::wstring GetText() const;
    virtual void SetTextColor(COLORREF color, bool redraw);
    virtual void SetFont(HFONT font);
    virtual void SetCenter();
    virtual void SetAutoWidth(bool on, int maxWidth);
    virtual int GetTextWidth();
    virtual void SetBold(bool bold, bool redraw);

    void UpdateFont();

    std::wstring m_strText;
    int m_nFontHeight = 20;
    std::wstring m_strFontName = L"微软雅黑";
    int m_bUnderline = 0;
    COLORREF m_crText = 0xFFFFFF;
    HFONT m_hFont = nullptr;
    bool m_bFontDirty = false;
    UINT m_uFormat = DT_LEFT;
    bool m_bAutoWidth = true;
    int m_nMaxWidth = 0;
    int m_nTextWidth = -1;
    int m_nWeight = 0;

protected:
    // Setters that change the text's extent give an automatic-width label room to measure in.
    void WidenForMeasuring();
    void Changed(bool redraw);
    // Measures text in the context: the calculated rectangle's right edge; height into *height.
    LONG MeasureRight(HDC dc, const std::wstring& text, int* height) const;
    // The text when it fits, else the first candidate ending in "..." that leaves less than 16
    // pixels free (or the last one tried).
    std::wstring Shortened(HDC dc, const std::wstring& text, LONG measuredRight,
                           int* height) const;
    // Saves the context and selects the label's font and colours; returns the saved state.
    int SelectTextLook(HDC dc);
    // Draws text vertically centred in the rectangle, the context's state kept.
    void DrawTextCentred(HDC dc, const std::wstring& text, int height, UINT format) const;
};
