#pragma once

#include "model/CLengthFormat.h"
#include "platform/ctl/CDialog.h"
#include "ui/CTypedField.h"

// "Parallel track": the centre distance of the new track, in the layout's length unit; a
// distance below an inch becomes an inch, and a text that is no distance in the range is refused.
class CParallelTrackDialog : public CDialog {
    DECLARE_DYNAMIC(CParallelTrackDialog)
    DECLARE_MESSAGE_MAP()

  public:
    static constexpr double kLeast = 254.0;

    CParallelTrackDialog(int unitIndex, double value, CWnd* parent = nullptr);

    double m_fValue;

  protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

  private:
    void OnKillFocusOffset();
    BOOL ReadOffset();
    void ShowOffset();

    CLengthFormat m_format;
    CTypedField m_offset;
};
