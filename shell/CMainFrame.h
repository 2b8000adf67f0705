#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "model/CMainFrameServices.h"
#include "platform/win/CMDIFrameWnd.h"
#include "platform/win/CStatusBar.h"
#include "shell/CContextHelpMode.h"
#include "shell/CHelpWindow.h"
#include "shell/CToolBarEx.h"
#include "shell/CToolParametersDialog.h"

class CCmdUI;
class CComboBox;
class CCVNDoc;
class CPaint;

// The program's main window: the status bar, the layer selector, the clipboard list that
// every layout shares, the printer's margins and the timer that runs the test trains.
class CMainFrame : public CMDIFrameWnd, public CMainFrameServices {
    DECLARE_DYNCREATE(CMainFrame)
    DECLARE_MESSAGE_MAP()
  public:
    static constexpr UINT_PTR kTrainTimerId = 1;
    static constexpr UINT kTrainTimerPeriod = 20;
    static constexpr int kStatusPaneCount = 5;

    ~CMainFrame() override;

    void SetTrainPause(BOOL paused) override;
    void StopTrainTimer() override;
    CPaintList* GetClipboardList() override { return &m_clipboard; }
    void ShowActiveLayer(int layer) override;
    void UpdateStatusPanes() override;
    void GetPrintableSize(int& width, int& height) const override;

    void StartTrainTimer() override;
    BOOL IsTrainTimerRunning() const override { return m_nTrainTimer != 0; }
    BOOL IsTrainPaused() const { return m_nPause != 0; }
    UINT_PTR GetTrainTimerId() const { return m_nTrainTimer; }
    // The drive and folder of the program file, ending in a backslash.
    const CString& GetProgramFolder() const { return m_strProgramFolder; }
    // Margins the session's printer cannot print on, and the rest of its page, in 0.1 mm.
    void UpdatePrinterMargins();
    CRect GetPrinterMargins() const {
        return CRect(m_nLeftMargin, m_nTopMargin, m_nRightMargin, m_nBottomMargin);
    }
    CStatusBar& GetStatusBar() { return m_wndStatusBar; }
    CToolBarEx& GetMainToolBar() { return m_wndMainBar; }
    CToolBarEx& GetToolsToolBar() { return m_wndToolsBar; }
    CToolBarEx& GetCameraToolBar() { return m_wndCameraBar; }
    CToolParametersDialog& GetToolParametersDialog() { return m_wndToolParameters; }
    void ShowToolBarsFor(BOOL planView) override;
    // Print preview puts the main and tools bars away and brings them back.
    void ShowPreviewToolBars(BOOL show);
    // The layer selector the main tool bar holds; null when the bar could not make it.
    CComboBox* GetLayerCombo() const { return m_pLayerCombo; }

    // Help: the help window opened on a topic key (the first topic for an unknown key), made
    // on first use; null until then.
    void ShowHelpTopic(const CString& key);
    CHelpWindow* GetHelpWindow() const { return m_pHelpWindow.get(); }
    bool IsInContextHelp() const { return m_contextHelp.IsActive(); }
    BOOL PreTranslateMessage(MSG* msg) override;

  protected:
    int OnCreate(CREATESTRUCT* cs) override;
    void OnDestroy() override;
    // Context help ends with whatever else the frame tracks: the cancel takes its mouse.
    void OnCancelMode() override;
    void OnTimer(UINT_PTR id) override;
    void ShowIdleMessage() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    void OnShow3DView();
    void OnUpdateShow3DView(CCmdUI* cmdUI);
    void OnToolParameters();
    void OnUpdateToolParameters(CCmdUI* cmdUI);
    void OnObjectSizes();
    void OnFilePrintSetup();
    LRESULT OnDevModeChange(WPARAM wParam, LPARAM lParam);
    void OnUpdateObjectSizes(CCmdUI* cmdUI);
    void OnUpdateStatusPane(CCmdUI* cmdUI);
    void OnSetupToolbars() {}
    void OnSelectLayer();
    void OnLayerListClosed();
    void OnHelpFinder();
    void OnContextHelp();
    void OnWindowMore();
    LRESULT OnEndContextHelp(WPARAM wParam, LPARAM lParam);
    void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu) override;

  private:
    void ReportCreationFailure(UINT messageId);
    BOOL CreateStatusBar();
    void CreateToolBars();
    void StepTrains(int ticks);
    void Build3DModels(CCVNDoc& doc);
    CCVNDoc* ActiveLayout();
    // The layout of the active plan window; null when no plan window is active.
    CCVNDoc* ActivePlanLayout();
    static std::vector<const CPaint*> SelectionOf(CCVNDoc* layout);
    void ShowCommandResult(const std::vector<const CPaint*>& selectedBefore);
    // The width of a status pane's text, measured only when the text changed.
    int StatusPaneWidth(int pane, const CString& text);

    CString m_strProgramFolder;
    int m_nPrintableWidth = 0;
    int m_nPrintableHeight = 0;
    int m_nLeftMargin = 0;
    int m_nTopMargin = 0;
    int m_nRightMargin = 0;
    int m_nBottomMargin = 0;
    CComboBox* m_pLayerCombo = nullptr;
    CStatusBar m_wndStatusBar;
    // The status panes' texts as last measured, and their widths.
    std::optional<CString> m_measuredPaneText[kStatusPaneCount];
    int m_measuredPaneWidth[kStatusPaneCount] = {};
    CToolBarEx m_wndMainBar;
    CToolBarEx m_wndToolsBar;
    CToolBarEx m_wndCameraBar;
    CToolParametersDialog m_wndToolParameters;
    CPaintList m_clipboard;
    UINT_PTR m_nTrainTimer = 0;
    int m_nPause = 0;
    // The time the trains have moved up to, in whole 20 ms steps; none until the first tick
    // after the timer started. A pause ends at the time it ends, so paused time never moves a
    // train.
    std::optional<DWORD> m_tickReference;
    std::unique_ptr<CHelpWindow> m_pHelpWindow;
    CContextHelpMode m_contextHelp;
};
