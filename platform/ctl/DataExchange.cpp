#include "platform/ctl/DataExchange.h"

#include <cfloat>
#include <climits>
#include <cmath>
#include <limits>
#include <string>

#include "platform/base/CWinPath.h"
#include "platform/base/TypedNumbers.h"
#include "platform/ctl/BasicControlDefs.h"
#include "platform/ctl/CComboBox.h"
#include "platform/ctl/CListBox.h"
#include "platform/ctl/CScrollBar.h"
#include "platform/ctl/CSliderCtrl.h"
#include "platform/ctl/ControlFactory.h"
#include "platform/ctl/DialogNavigation.h"
#include "platform/win/CWnd.h"

using namespace DataExchangeMessages;

namespace {
CString TextOf(CWnd* control) {
    CString text;
    if (control)
        control->GetWindowText(text);
    return text;
}

template <typename Integer>
void ExchangeInteger(CDataExchange* dx, int id, Integer& value, const char* refusal) {
    CWnd* control = dx->PrepareEditCtrl(id);
    if (!dx->m_bSaveAndValidate) {
        if (control)
            control->SetWindowText(std::to_string(value).c_str());
        return;
    }
    long long parsed = 0;
    if (!ReadTypedInteger(TextOf(control), parsed) ||
        parsed < static_cast<long long>(std::numeric_limits<Integer>::min()) ||
        parsed > static_cast<long long>(std::numeric_limits<Integer>::max()))
        dx->Refuse(refusal);
    value = static_cast<Integer>(parsed);
}

template <typename Real>
void ExchangeReal(CDataExchange* dx, int id, Real& value, int digits) {
    CWnd* control = dx->PrepareEditCtrl(id);
    if (!dx->m_bSaveAndValidate) {
        CString text;
        text.Format("%.*g", digits, static_cast<double>(value));
        if (control)
            control->SetWindowText(text);
        return;
    }
    double parsed = 0;
    if (!ReadTypedDecimal(TextOf(control), parsed) ||
        std::fabs(parsed) > static_cast<double>(std::numeric_limits<Real>::max()))
        dx->Refuse(kEnterNumber);
    value = static_cast<Real>(parsed);
}

CString Between(const char* pattern, const CString& minimum, const CString& maximum) {
    CString text;
    text.Format(pattern, minimum.c_str(), maximum.c_str());
    return text;
}

template <typename Number>
void CheckRange(CDataExchange* dx, Number value, Number minimum, Number maximum, const char* pattern,
                const char* format) {
    if (!dx->m_bSaveAndValidate || (value >= minimum && value <= maximum))
        return;
    CString low;
    CString high;
    low.Format(format, minimum);
    high.Format(format, maximum);
    dx->Refuse(Between(pattern, low, high));
}
}  // namespace

void DDX_Text(CDataExchange* dx, int id, CString& value) {
    CWnd* control = dx->PrepareEditCtrl(id);
    if (!control)
        return;
    if (dx->m_bSaveAndValidate)
        control->GetWindowText(value);
    else
        control->SetWindowText(value);
}

void DDX_PathText(CDataExchange* dx, int id, CString& storedPath) {
    CWnd* control = dx->PrepareEditCtrl(id);
    if (!control)
        return;
    if (dx->m_bSaveAndValidate)
        ReadPathText(*control, storedPath);
    else
        control->SetWindowText(CWinPath::Native(storedPath));
}

void ReadPathText(CWnd& control, CString& storedPath) {
    CString typed;
    control.GetWindowText(typed);
    if (typed != CWinPath::Native(storedPath))
        storedPath = CWinPath::Stored(typed);
}

void DDX_Text(CDataExchange* dx, int id, int& value) {
    ExchangeInteger(dx, id, value, kEnterInteger);
}
void DDX_Text(CDataExchange* dx, int id, UINT& value) {
    ExchangeInteger(dx, id, value, kEnterPositiveInteger);
}
void DDX_Text(CDataExchange* dx, int id, long& value) {
    ExchangeInteger(dx, id, value, kEnterInteger);
}
void DDX_Text(CDataExchange* dx, int id, short& value) {
    ExchangeInteger(dx, id, value, kEnterInteger);
}
void DDX_Text(CDataExchange* dx, int id, BYTE& value) {
    ExchangeInteger(dx, id, value, kEnterPositiveInteger);
}
void DDX_Text(CDataExchange* dx, int id, float& value) {
    ExchangeReal(dx, id, value, FLT_DIG);
}
void DDX_Text(CDataExchange* dx, int id, double& value) {
    ExchangeReal(dx, id, value, DBL_DIG);
}

bool ReadNumberText(const CString& text, double& value) {
    return ReadTypedDecimal(text, value);
}

void DDV_NumberText(CDataExchange* dx, const CString& text, double& value) {
    if (dx->m_bSaveAndValidate && !ReadNumberText(text, value))
        dx->Refuse(kEnterNumber);
}

bool ReadWholeNumberText(const CString& text, double& value) {
    double read = 0.0;
    if (!ReadNumberText(text, read) || read != std::trunc(read))
        return false;
    value = read;
    return true;
}

void DDV_WholeNumberText(CDataExchange* dx, const CString& text, int minimum, int maximum, int& value) {
    if (!dx->m_bSaveAndValidate)
        return;
    double read = 0.0;
    if (!ReadWholeNumberText(text, read) || read < minimum || read > maximum)
        dx->Refuse(
            Between(kEnterIntegerBetween, std::to_string(minimum).c_str(), std::to_string(maximum).c_str()));
    value = static_cast<int>(read);
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
    CWnd* control = dx->PrepareCtrl(id);
    if (!control)
        return;
    if (dx->m_bSaveAndValidate)
        value = static_cast<int>(control->SendMessage(BM_GETCHECK));
    else
        control->SendMessage(BM_SETCHECK, static_cast<WPARAM>(value));
}

void DDX_Radio(CDataExchange* dx, int id, int& value) {
    CWnd* first = dx->PrepareCtrl(id);
    if (!first)
        return;
    const std::vector<CWnd*> group = DialogNavigation::GroupOf(first);
    int index = 0;
    if (dx->m_bSaveAndValidate)
        value = -1;
    bool started = false;
    for (CWnd* member : group) {
        started = started || member == first;
        if (!started || !(member->SendMessage(WM_GETDLGCODE) & DLGC_RADIOBUTTON))
            continue;
        if (dx->m_bSaveAndValidate) {
            if (member->SendMessage(BM_GETCHECK))
                value = index;
        } else {
            member->SendMessage(BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED);
        }
        ++index;
    }
}

void DDX_CBIndex(CDataExchange* dx, int id, int& index) {
    auto* combo = dynamic_cast<CComboBox*>(dx->PrepareCtrl(id));
    if (!combo)
        return;
    if (dx->m_bSaveAndValidate)
        index = combo->GetCurSel();
    else
        combo->SetCurSel(index);
}

void DDX_CBString(CDataExchange* dx, int id, CString& value) {
    auto* combo = dynamic_cast<CComboBox*>(dx->PrepareCtrl(id));
    if (!combo)
        return;
    const bool hasEdit = (combo->GetStyle() & CBS_TYPEMASK) == CBS_DROPDOWN;
    if (dx->m_bSaveAndValidate) {
        const int index = combo->GetCurSel();
        if (hasEdit || index < 0)
            combo->GetWindowText(value);
        else
            combo->GetLBText(index, value);
        return;
    }
    if (combo->SelectString(-1, value) == CB_ERR && hasEdit)
        combo->SetWindowText(value);
}

void DDX_LBIndex(CDataExchange* dx, int id, int& index) {
    auto* list = dynamic_cast<CListBox*>(dx->PrepareCtrl(id));
    if (!list)
        return;
    if (dx->m_bSaveAndValidate)
        index = list->GetCurSel();
    else
        list->SetCurSel(index);
}

void DDX_LBString(CDataExchange* dx, int id, CString& value) {
    auto* list = dynamic_cast<CListBox*>(dx->PrepareCtrl(id));
    if (!list)
        return;
    if (dx->m_bSaveAndValidate) {
        const int index = list->GetCurSel();
        value.Empty();
        if (index >= 0)
            list->GetText(index, value);
        return;
    }
    list->SelectString(-1, value);
}

void DDX_Scroll(CDataExchange* dx, int id, int& value) {
    auto* bar = dynamic_cast<CScrollBar*>(dx->PrepareCtrl(id));
    if (!bar)
        return;
    if (dx->m_bSaveAndValidate)
        value = bar->GetScrollPos();
    else
        bar->SetScrollPos(value);
}

void DDX_Slider(CDataExchange* dx, int id, int& value) {
    auto* slider = dynamic_cast<CSliderCtrl*>(dx->PrepareCtrl(id));
    if (!slider)
        return;
    if (dx->m_bSaveAndValidate)
        value = slider->GetPos();
    else
        slider->SetPos(value);
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    if (control.m_hWnd)
        return;
    ControlFactory::Subclass(control, static_cast<UINT>(id), dx->m_pDlgWnd);
}

void DDV_MinMaxInt(CDataExchange* dx, int value, int minimum, int maximum) {
    CheckRange(dx, value, minimum, maximum, kEnterIntegerBetween, "%d");
}
void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT minimum, UINT maximum) {
    CheckRange(dx, value, minimum, maximum, kEnterIntegerBetween, "%u");
}
void DDV_MinMaxLong(CDataExchange* dx, long value, long minimum, long maximum) {
    CheckRange(dx, value, minimum, maximum, kEnterIntegerBetween, "%ld");
}
void DDV_MinMaxShort(CDataExchange* dx, short value, short minimum, short maximum) {
    CheckRange<int>(dx, value, minimum, maximum, kEnterIntegerBetween, "%d");
}
void DDV_MinMaxByte(CDataExchange* dx, BYTE value, BYTE minimum, BYTE maximum) {
    CheckRange<int>(dx, value, minimum, maximum, kEnterIntegerBetween, "%d");
}
void DDV_MinMaxFloat(CDataExchange* dx, float value, float minimum, float maximum) {
    CheckRange<double>(dx, value, minimum, maximum, kEnterNumberBetween, "%.6g");
}
void DDV_MinMaxDouble(CDataExchange* dx, double value, double minimum, double maximum) {
    CheckRange(dx, value, minimum, maximum, kEnterNumberBetween, "%.15g");
}

void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxChars) {
    if (!dx->m_bSaveAndValidate) {
        if (CWnd* control = dx->m_pDlgWnd->GetDlgItem(dx->LastControlId()))
            control->SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(maxChars));
        return;
    }
    if (value.GetLength() <= maxChars)
        return;
    CString limit;
    limit.Format("%d", maxChars);
    CString message;
    message.Format(kEnterNoMoreThan, limit.c_str());
    dx->Refuse(message);
}
