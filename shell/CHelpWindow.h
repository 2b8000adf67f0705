#pragma once

#include <filesystem>
#include <map>

#include "platform/ctl/CTreeCtrl.h"
#include "platform/win/CWnd.h"
#include "shell/CHelpBook.h"
#include "shell/CHelpTopicView.h"

// The help window: the contents, chapter by chapter, on the left and the chosen topic on the
// right. Closing it only hides it; the next request for help shows it again.
class CHelpWindow : public CWnd {
    DECLARE_DYNAMIC(CHelpWindow)
    DECLARE_MESSAGE_MAP()
  public:
    static constexpr UINT kContentsId = 1;
    static constexpr UINT kTopicId = 2;

    // Reads the help from folder; the window is made hidden.
    BOOL Create(CWnd* owner, const std::filesystem::path& folder);
    // Shows the window on the topic (the first one when the key names none) and brings it up.
    void ShowTopic(const CString& key);
    const CString& CurrentTopic() const { return m_current; }
    const CHelpBook& Book() const { return m_book; }
    CTreeCtrl& Contents() { return m_contents; }
    CHelpTopicView& TopicView() { return m_topic; }
    // Escape closes the window, as it closes a dialog, and Tab goes to the other pane; the wheel
    // scrolls the pane under the pointer, whichever pane has the keys.
    BOOL PreTranslateMessage(MSG* msg) override;

  protected:
    int OnCreate(CREATESTRUCT* cs) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnClose() override;
    void OnSetFocus(CWnd* oldWindow) override;
    void OnContentsChanged(NMHDR* header, LRESULT* result);

  private:
    void FillContents();
    void SwitchPane();
    void Display(const CString& key);
    BOOL TurnWheelOfPaneUnderPointer(const MSG& msg);

    CHelpBook m_book;
    CTreeCtrl m_contents;
    CHelpTopicView m_topic;
    std::vector<CString> m_itemKeys;
    std::map<CString, HTREEITEM> m_items;
    CString m_current;
    bool m_selecting = false;
};
