#include "wizard/CPageHanded.h"

IMPLEMENT_DYNAMIC(CPageHanded, CPageWizard)

CPageHanded::CPageHanded(UINT templateId, int hand) : CPageWizard(templateId), m_nHand(hand) {}

void CPageHanded::ChooseHand(int hand) {
    if (hand == m_nHand)
        return;
    m_nHand = hand;
    Build();
}
