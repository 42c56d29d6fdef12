#include "ui/KXLabel.h"

namespace {

constexpr int kMeasuringWidth = 800;
constexpr int kShortenSlack = 16;
const std::wstring kEllipsis = L"...";

}  // namespace

CKXLabel::~CKXLabel() {
    if (m_hFont != nullptr) {
        DeleteObject(m_hFont);
    }
}

void CKXLabel::WidenForMeasuring() {
    if (m_bAutoWidth) {
        m_rc.right = m_rc.left + kMeasuringWidth;
    }
}

void CKXLabel::Changed(bool redraw) {
    m_bFontDirty = true;
    if (redraw) {
        Invalidate();
    }
}

void CKXLabel::SetText(const std::wstring& text, bool redraw) {
    WidenForMeasuring();
    m_strText = text;
    m_nTextWidth = -1;
    Changed(redraw);
}

void CKXLabel::SetFontHeight(int height, bool redraw) {
    WidenForMeasuring();
    m_nFontHeight = height;
    Changed(redraw);
}

void CKXLabel::SetFontName(const std::wstring& face, bool redraw) {
    WidenForMeasuring();
    m_strFontName = face;
    Changed(redraw);
}

void CKXLabel::SetUnderline(bool underline, bool redraw) {
    m_bUnderline = underline ? 1 : 0;
    Changed(redraw);
}

std::wstring CKXLabel::GetText() const { return m_strText; }

void CKXLabel::SetTextColor(COLORREF color, bool redraw) {
    if (color == m_crText) {
        return;
    }
    m_crText = color;
    Changed(redraw);
}

void CKXLabel::SetFont(HFONT font) {
    if (m_hFont != nullptr) {
        DeleteObject(m_hFont);
    }
    m_hFont = font;
}

void CKXLabel::SetCenter() {
    m_uFormat = DT_CENTER;
    m_bAutoWidth = false;
}

void CKXLabel::SetAutoWidth(bool on, int maxWidth) {
    m_bAutoWidth = on;
    m_nMaxWidth = maxWidth;
}

void CKXLabel::SetBold(bool bold, bool redraw) {
    const int weight = bold ? FW_BOLD : 0;
    if (weight == m_nWeight) {
        return;
    }
    m_nWeight = weight;
    Changed(redraw);
}

void CKXLabel::UpdateFont() {
    if (!m_bFontDirty) {
        return;
    }
    if (m_hFont != nullptr) {
        DeleteObject(m_hFont);
    }
    m_hFont = CreateFontW(m_nFontHeight, 0, 0, 0, m_nWeight, 0, static_cast<DWORD>(m_bUnderline),
                          0, 0, 0, 0, 0, FF_SWISS, m_strFontName.c_str());
    m_bFontDirty = false;
}

LONG CKXLabel::MeasureRight(HDC dc, const std::wstring& text, int* height) const {
    RECT measured = m_rc;
    *height = DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, DT_CALCRECT);
    return measured.right;
}

std::wstring CKXLabel::Shortened(HDC dc, const std::wstring& text, LONG measuredRight,
                                 int* height) const {
    if (measuredRight <= m_rc.right) {
        return text;
    }
    std::wstring candidate;
    for (std::size_t kept = 0; kept == 0 || kept < text.size(); ++kept) {
        candidate = text.substr(0, kept) + kEllipsis;
        if (MeasureRight(dc, candidate, height) + kShortenSlack > m_rc.right) {
            break;
        }
    }
    return candidate;
}

void CKXLabel::DrawTextCentred(HDC dc, const std::wstring& text, int height, UINT format) const {
    RECT box = m_rc;
    InflateRect(&box, 0, -((m_rc.bottom - m_rc.top - height) / 2));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, format);
}

int CKXLabel::SelectTextLook(HDC dc) {
    const int saved = SaveDC(dc);
    SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, m_crText);
    UpdateFont();
    if (m_hFont != nullptr) {
        SelectObject(dc, m_hFont);
    }
    return saved;
}

void CKXLabel::Draw(HDC dc) {
    const int saved = SelectTextLook(dc);
    int height = 0;
    const LONG measuredRight = MeasureRight(dc, m_strText, &height);
    if (m_bAutoWidth) {
        const LONG width = measuredRight - m_rc.left;
        m_rc.right = m_rc.left + (m_nMaxWidth > 0 && width > m_nMaxWidth ? m_nMaxWidth : width);
    }
    const std::wstring shown = Shortened(dc, m_strText, measuredRight, &height);
    DrawTextCentred(dc, shown, height, m_uFormat);
    RestoreDC(dc, saved);
}

int CKXLabel::GetTextWidth() {
    if (m_nTextWidth >= 0) {
        return m_nTextWidth;
    }
    HDC dc = GetDC(m_hWndOwner);
    const int saved = SelectTextLook(dc);
    int height = 0;
    m_nTextWidth = MeasureRight(dc, m_strText, &height) - m_rc.left;
    RestoreDC(dc, saved);
    ReleaseDC(m_hWndOwner, dc);
    return m_nTextWidth;
}
