// CHyperLink: underlined text that opens a web address. It changes colour
// under the mouse, shows a hand cursor and a tooltip with the address, and
// opens the address on a click or the space bar.
#pragma once

#include <cstdint>
#include <string>

#include "ui/framework/Controls.h"

class CHyperLink : public CStatic {
public:
    enum LinkStyle : uint32_t {
        LinkUnderlined = 0x001,
        LinkHoverColour = 0x002,
        LinkAutoSize = 0x004,
        LinkOpenOnPress = 0x008,
        LinkFocusOnClick = 0x010,
        LinkNoHandCursor = 0x020,
        LinkNoActiveColour = 0x040,
        LinkPlain = 0x080,        // behaves as an ordinary static
        LinkTransparent = 0x100,  // the background is not erased
    };

    static constexpr COLORREF kLinkColour = 0x00954030;
    static constexpr COLORREF kActiveColour = 0x00954030;
    static constexpr COLORREF kVisitedColour = 0x00954030;
    static constexpr COLORREF kHoverColour = 0x00EF9970;

    CHyperLink();
    ~CHyperLink() override;

    void SetAddress(const std::string& address);
    const std::string& GetAddress() const { return m_strAddress; }
    // False (and nothing changed) when the masks share a bit.
    bool ChangeLinkStyle(uint32_t remove, uint32_t add, bool apply);
    uint32_t GetLinkStyle() const { return m_nLinkStyle; }

    bool IsVisited() const { return m_bVisited; }
    bool IsOver() const { return m_bOver; }
    bool IsActive() const { return m_bActive; }
    // The text colour the link paints with now.
    COLORREF GetCurrentTextColour() const;
    HWND GetTooltip() const { return m_hTooltip; }

    // Opens the address (a link without one notifies its parent instead).
    void OpenAddress();

    bool PreTranslateMessage(MSG* msg) override;

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    void BuildFont();
    void FitToText();
    void UpdateTooltip();
    TTTOOLINFOA ToolInfo();
    void OnMouseMove(POINT point);
    void ReleaseHover();
    void Redraw();
    void MatchTransparency();

    bool m_bActive;
    bool m_bOver;
    bool m_bVisited;
    uint32_t m_nLinkStyle;
    std::string m_strAddress;
    HFONT m_hFont;
    HWND m_hTooltip;
};
