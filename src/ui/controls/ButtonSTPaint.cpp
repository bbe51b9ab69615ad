// Painting of the skinned button.
#include <vector>

#include "ui/controls/ButtonColors.h"
#include "ui/controls/ButtonST.h"
#include "ui/framework/Gdi.h"
#include "ui/skin/ShiftColor.h"
#include "ui/skin/SkinFace.h"
#include "ui/skin/SkinStyle.h"

void CButtonST::DrawItem(DRAWITEMSTRUCT* item)
{
    const RECT rect = item->rcItem;
    CMemDC memory(item->hDC, rect, true);
    HDC dc = memory.Get();

    bool pressed = (item->itemState & ODS_SELECTED) != 0;
    if (m_bLatched)
        pressed = !pressed;  // a latched button pops up while it is clicked
    const bool disabled = (item->itemState & ODS_DISABLED) != 0;
    const bool focused = (item->itemState & ODS_FOCUS) != 0;

    const CDpiScale scale = GetDpiScale();
    const int line = scale.Line();
    const COLORREF face = ButtonFadeColor(m_crFace, m_crHover, m_nHoverStep);
    if (pressed)
        PaintSkinFace(dc, rect, face, kStatePressed, 0.0, line);
    else if (m_bHover)
        PaintSkinFace(dc, rect, face, kStateHot, m_nHoverStep / 5.0, line);
    else
        PaintSkinFace(dc, rect, face, kStateNormal, 0.0, line);

    const std::string caption = GetText();
    RECT text = rect;
    if (m_hIconOut != nullptr)
        DrawButtonIcon(dc, rect, text, !caption.empty(), pressed, disabled, scale);
    if (!caption.empty())
        DrawCaption(dc, text, caption.c_str(), pressed, disabled, face, scale);

    if (m_bDrawFocus && focused) {
        RECT focus = rect;
        ::InflateRect(&focus, -scale.Px(2), -scale.Px(2));
        ::DrawFocusRect(dc, &focus);
    }
}

void CButtonST::DrawButtonIcon(HDC dc, const RECT& item, RECT& text, bool hasText, bool pressed, bool disabled,
                               CDpiScale scale)
{
    RECT icon = item;
    const int gap = scale.Px(4);
    const int push = scale.Line();
    if (hasText) {
        icon.left += gap;
        text.left += m_nIconWidth + gap;
    } else {
        icon.left += ((item.right - item.left) - m_nIconWidth) / 2;
    }
    icon.top += ((item.bottom - item.top) - m_nIconHeight) / 2;
    if (pressed)
        ::OffsetRect(&icon, push, push);

    if (!disabled) {
        HICON shown = (m_bHover || pressed) ? m_hIconIn : m_hIconOut;
        ::DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(shown), 0, icon.left, icon.top, 0, 0,
                     DST_ICON | DSS_NORMAL);
        return;
    }
    // Disabled: the icon's shape embossed in two shades of the face.
    HBRUSH light = ::CreateSolidBrush(ShiftColor(m_crFace, 32));
    HBRUSH dark = ::CreateSolidBrush(ShiftColor(m_crFace, -64));
    ::DrawStateA(dc, light, nullptr, reinterpret_cast<LPARAM>(m_hIconOut), 0, icon.left, icon.top + push, 0, 0,
                 DST_ICON | DSS_MONO);
    ::DrawStateA(dc, dark, nullptr, reinterpret_cast<LPARAM>(m_hIconOut), 0, icon.left, icon.top, 0, 0,
                 DST_ICON | DSS_MONO);
    ::DeleteObject(light);
    ::DeleteObject(dark);
}

void CButtonST::DrawCaption(HDC dc, RECT text, const char* caption, bool pressed, bool disabled, COLORREF face,
                            CDpiScale scale)
{
    const int push = scale.Line();
    if (pressed)
        ::OffsetRect(&text, push, push);
    CSelectObject font(dc, GetFont());
    ::SetTextColor(dc, (m_bHover || pressed) ? m_crHoverText : m_crText);
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);

    RECT measured = text;
    ::DrawTextA(dc, caption, -1, &measured, DT_CALCRECT | DT_SINGLELINE);
    ::OffsetRect(&measured, ((text.right - text.left) - (measured.right - measured.left)) / 2,
                 ((text.bottom - text.top) - (measured.bottom - measured.top)) / 2);
    if (disabled) {
        // TextOut shows '&' as it is, unlike DrawText; strip the mnemonic marks.
        std::string plain;
        for (const char* p = caption; *p != '\0'; ++p) {
            if (*p == '&' && p[1] != '\0')
                ++p;
            plain += *p;
        }
        ::SetTextColor(dc, ShiftColor(face, 48));
        ::TextOutA(dc, measured.left, measured.top, plain.c_str(), static_cast<int>(plain.size()));
        ::SetTextColor(dc, ShiftColor(face, -80));
        ::TextOutA(dc, measured.left - push, measured.top - push, plain.c_str(), static_cast<int>(plain.size()));
    } else {
        ::DrawTextA(dc, caption, -1, &measured, DT_SINGLELINE);
    }
    ::SetBkMode(dc, oldMode);
}
