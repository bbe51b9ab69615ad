#include "ui/skin/Skin.h"

#include "params/RegistryStore.h"
#include "ui/skin/ShiftColor.h"

namespace {

CSkinState* g_pCurrentSkin = nullptr;
RingTable g_ringTable = kDefaultRingTable;
bool g_bStyleOverride = false;
int32_t g_nStyleOverride = kStyleAqua;

}  // namespace

CSkinState::CSkinState(CWnd* mainWindow)
    : m_pMainWindow(mainWindow),
      m_nStyle(kStyleAqua),
      m_clrWindow(kDefaultWindowColor),
      m_clrControl(kDefaultControlColor),
      m_clrControlHover(ShiftColor(kDefaultControlColor, 16)),
      m_clrRingBase(kDefaultWindowColor)
{
    g_pCurrentSkin = this;
}

CSkinState::~CSkinState()
{
    if (g_pCurrentSkin == this)
        g_pCurrentSkin = nullptr;
}

void CSkinState::LoadFromStore()
{
    ISettingsStore& store = AppSettings();
    m_nStyle = store.GetInt("", SettingNames::kButtonStyle, kStyleAqua);
    SetWindowColor(static_cast<COLORREF>(store.GetInt("", SettingNames::kWindowColor, kDefaultWindowColor)));
    SetControlColor(static_cast<COLORREF>(store.GetInt("", SettingNames::kControlColor, kDefaultControlColor)));
}

void CSkinState::SetControlColor(COLORREF color)
{
    m_clrControl = ShiftColor(color, 0);
    m_clrControlHover = ShiftColor(color, 16);
}

void CSkinState::SetWindowColor(COLORREF color)
{
    m_clrWindow = ShiftColor(color, 0);
    m_clrRingBase = m_clrWindow;
}

CSkinState* CurrentSkin() { return g_pCurrentSkin; }

COLORREF SkinWindowColor()
{
    return g_pCurrentSkin != nullptr ? g_pCurrentSkin->GetWindowColor() : ::GetSysColor(COLOR_BTNFACE);
}

COLORREF SkinRingBaseColor()
{
    return g_pCurrentSkin != nullptr ? g_pCurrentSkin->GetRingBaseColor() : ::GetSysColor(COLOR_BTNFACE);
}

const RingTable& ActiveRingTable() { return g_ringTable; }

void ResetRingTable() { g_ringTable = kDefaultRingTable; }

CRingTableSwap::CRingTableSwap(const RingTable& table) : m_saved(g_ringTable) { g_ringTable = table; }

CRingTableSwap::~CRingTableSwap() { g_ringTable = m_saved; }

int32_t ActiveFaceStyle()
{
    if (g_bStyleOverride)
        return g_nStyleOverride;
    return g_pCurrentSkin != nullptr ? g_pCurrentSkin->GetStyle() : kStyleAqua;
}

CFaceStyleSwap::CFaceStyleSwap(int32_t style) : m_bHadOverride(g_bStyleOverride), m_nSaved(g_nStyleOverride)
{
    g_bStyleOverride = true;
    g_nStyleOverride = style;
}

CFaceStyleSwap::~CFaceStyleSwap()
{
    g_bStyleOverride = m_bHadOverride;
    g_nStyleOverride = m_nSaved;
}
