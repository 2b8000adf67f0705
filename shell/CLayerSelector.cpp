#include "shell/CLayerSelector.h"

IMPLEMENT_DYNCREATE(CLayerSelector, CComboBox)

void CLayerSelector::OnKeyDown(UINT key, UINT repeat, UINT flags) {
    if (key == VK_UP || key == VK_DOWN || key == VK_HOME || key == VK_END)
        DropBeforeStepping();
    CComboBox::OnKeyDown(key, repeat, flags);
}

void CLayerSelector::OnChar(UINT ch, UINT repeat, UINT flags) {
    if (ch > ' ')
        DropBeforeStepping();
    CComboBox::OnChar(ch, repeat, flags);
}

void CLayerSelector::DropBeforeStepping() {
    if (!GetDroppedState())
        ShowDropDown(TRUE);
}
