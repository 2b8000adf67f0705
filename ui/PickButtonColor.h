#pragma once

#include "platform/win/WinDefs.h"

class CColorButton;
class CWnd;

// Opens the colour dialog on the button's colour; on OK the button takes and shows the chosen
// colour and TRUE is answered, on Cancel nothing changes.
BOOL PickButtonColor(CColorButton& button, CWnd* parent);
