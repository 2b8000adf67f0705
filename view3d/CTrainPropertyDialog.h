#pragma once

#include "platform/ctl/CDialog.h"
#include "platform/ctl/CScrollBar.h"
#include "platform/ctl/CStatic.h"
#include "ui/CColorButton.h"

// "Train properties": the locomotive and car models of a test train, its speed, its number of
// cars and its colour on the plan; it shows the train's status text.
class CTrainPropertyDialog : public CDialog {
    DECLARE_DYNAMIC(CTrainPropertyDialog)
    DECLARE_MESSAGE_MAP()

  public:
    static constexpr int kMaxSpeed = 100;
    static constexpr int kMaxCarCount = 50;

    explicit CTrainPropertyDialog(CWnd* parent = nullptr);

    CString m_strLocoFile;
    CString m_strCarFile;
    CString m_strStatus;
    int m_nSpeed = 0;
    int m_nCarCount = 0;
    UINT m_nStatusId = 0;
    COLORREF m_crColor = 0;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnHScroll(UINT code, UINT position, CScrollBar* scrollBar) override;
    void OnOK() override;

    void OnBrowseLoco();
    void OnBrowseCar();
    void OnColor();

  private:
    void Browse(int editId, const char* defaultExtension, CString& file);
    void ShowPosition(CScrollBar& bar, int labelId);

    CScrollBar m_speedBar;
    CScrollBar m_carCountBar;
    CColorButton m_colorButton;
};
