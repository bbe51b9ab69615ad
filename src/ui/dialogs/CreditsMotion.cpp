#include "ui/dialogs/CreditsMotion.h"

int32_t CreditsFade(int32_t y, int32_t bottom)
{
    if (y > bottom - 128)
        return 2 * (bottom - y);
    if (y >= 128)
        return 256;
    return 2 * y;
}

void CCreditsMotion::Reset(int32_t pictureHeight)
{
    m_nBottom = CreditsBottom(pictureHeight);
    m_nScrollPos = m_nBottom;
    m_nDragY = -1;
    m_nFling = 0;
    m_bDragging = false;
}

void CCreditsMotion::Tick()
{
    if (!m_bDragging && m_nFling > 0) {
        m_nScrollPos -= m_nFling;
        m_nFling = static_cast<int32_t>(m_nFling / 1.1);
    }
    m_nScrollPos -= m_nCreep;
}

void CCreditsMotion::SetLineScale(int32_t pitch, int32_t creep)
{
    m_nLinePitch = pitch > 0 ? pitch : kCreditsLinePitch;
    m_nCreep = creep > 0 ? creep : 1;
}

void CCreditsMotion::BeginDrag(int32_t y)
{
    m_bDragging = true;
    m_nDragY = y;
}

bool CCreditsMotion::DragTo(int32_t y)
{
    if (!m_bDragging)
        return false;
    const int32_t step = (m_nDragY - y) * 4;
    m_nScrollPos -= step;
    m_nFling = step;
    if (m_nScrollPos > m_nBottom)
        m_nScrollPos = m_nBottom;
    m_nDragY = y;
    return true;
}

void CCreditsMotion::EndDrag()
{
    m_bDragging = false;
    m_nDragY = -1;
}

bool CCreditsMotion::WrapAround(int32_t lineCount)
{
    if (lineCount <= 0 || m_nScrollPos + m_nLinePitch * (lineCount - 1) >= 0)
        return false;
    m_nScrollPos = m_nBottom;
    return true;
}
