// The skin: interface style, window colour and control colour of every
// skinned dialog and control in the process.
//
// One CSkinState is current at a time. The main dialog owns it and makes it
// current when it is constructed, so the secondary dialogs and every control
// reach the user's style and colours through CurrentSkin(). Without a
// current skin the controls fall back to the system's colours.
//
// The border-ring table of the faces is process-wide on its own: controls
// swap in their own table for the length of one paint, and the about and
// prepare steps restore the built-in one (ResetRingTable).
#pragma once

#include <windows.h>

#include <cstdint>

#include "ui/skin/SkinStyle.h"

class CWnd;

const COLORREF kDefaultWindowColor = 0x00EAEAEA;
const COLORREF kDefaultControlColor = 0x00FFD7AE;

class CSkinState {
public:
    // Becomes the current skin, with the built-in style and colours;
    // `mainWindow` is the main dialog that owns it (null in tests).
    explicit CSkinState(CWnd* mainWindow);
    // Stops being current (if it still is).
    ~CSkinState();
    CSkinState(const CSkinState&) = delete;
    CSkinState& operator=(const CSkinState&) = delete;

    // "Button style", "Window color" and "Control color" from the store,
    // each with its default.
    void LoadFromStore();

    int32_t GetStyle() const { return m_nStyle; }
    void SetStyle(int32_t style) { m_nStyle = style; }
    COLORREF GetWindowColor() const { return m_clrWindow; }
    COLORREF GetControlColor() const { return m_clrControl; }
    COLORREF GetControlHoverColor() const { return m_clrControlHover; }
    COLORREF GetRingBaseColor() const { return m_clrRingBase; }
    // The control colour and its hover shade (+16).
    void SetControlColor(COLORREF color);
    // The window colour, which is also the base of every face's outer ring.
    void SetWindowColor(COLORREF color);

    CWnd* GetMainWindow() const { return m_pMainWindow; }

private:
    CWnd* m_pMainWindow;
    int32_t m_nStyle;
    COLORREF m_clrWindow;
    COLORREF m_clrControl;
    COLORREF m_clrControlHover;
    COLORREF m_clrRingBase;
};

CSkinState* CurrentSkin();

// The colours in use: the current skin's, or the system's button face.
COLORREF SkinWindowColor();
COLORREF SkinRingBaseColor();

// The ring table every face is painted with, and its reset to the built-in
// table.
const RingTable& ActiveRingTable();
void ResetRingTable();

// Replaces the ring table for the life of the scope (one paint).
class CRingTableSwap {
public:
    explicit CRingTableSwap(const RingTable& table);
    ~CRingTableSwap();
    CRingTableSwap(const CRingTableSwap&) = delete;
    CRingTableSwap& operator=(const CRingTableSwap&) = delete;

private:
    RingTable m_saved;
};

// The face style PaintSkinFace uses: the current skin's (Aqua without one)
// unless a control set its own for one paint.
int32_t ActiveFaceStyle();

class CFaceStyleSwap {
public:
    explicit CFaceStyleSwap(int32_t style);
    ~CFaceStyleSwap();
    CFaceStyleSwap(const CFaceStyleSwap&) = delete;
    CFaceStyleSwap& operator=(const CFaceStyleSwap&) = delete;

private:
    bool m_bHadOverride;
    int32_t m_nSaved;
};
