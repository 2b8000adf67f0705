#include "wizard/CPageSingleOrDouble.h"

#include "drawing/CSizeLine.h"
#include "model/CGroup.h"
#include "wizard/CWizardLabel.h"

IMPLEMENT_DYNAMIC(CPageSingleOrDouble, CPageHanded)

CPageSingleOrDouble::CPageSingleOrDouble(UINT templateId, int hand, int doubleHand)
    : CPageHanded(templateId, hand), m_nDoubleHand(doubleHand) {}

void CPageSingleOrDouble::ChooseHand(int hand) {
    if (hand == m_nHand || m_pLabelGroup == nullptr)
        return;
    m_nHand = hand;
    delete m_pPiece;
    m_pPiece = nullptr;
    CreatePieces(hand == m_nDoubleHand);
    Build();
}

bool CPageSingleOrDouble::MakeAnnotations() {
    m_pDimLine1 = Create<CSizeLine>(kToolDimensionLine);
    m_pDimLine2 = Create<CSizeLine>(kToolDimensionLine);
    m_pLabel1 = Create<CWizardLabel>(kToolWizardLabel);
    m_pLabel2 = Create<CWizardLabel>(kToolWizardLabel);
    if (!AllMade({m_pDimLine1, m_pDimLine2, m_pLabel1, m_pLabel2}))
        return false;
    m_pLabelGroup = MakeGroup({m_pDimLine1, m_pDimLine2, m_pLabel1, m_pLabel2});
    return true;
}
