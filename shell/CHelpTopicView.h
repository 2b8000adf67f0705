#pragma once

#include <functional>
#include <vector>

#include "platform/gdi/CFont.h"
#include "platform/win/CWnd.h"
#include "shell/HelpMarkup.h"

class CDC;
class CHelpBook;
struct HelpTopic;

// The right-hand side of the help window: a topic's title, headings, word-wrapped paragraphs
// and list items, with links drawn underlined in blue; a click on a link asks for its topic.
class CHelpTopicView : public CWnd {
    DECLARE_DYNAMIC(CHelpTopicView)
  public:
    // A word as laid out: where it sits in the whole text (before scrolling) and its link.
    struct Word {
        CString text;
        CString link;
        CRect rect;
        enum class Style { Title, Heading, Body, Link } style;
    };

    CHelpTopicView();

    BOOL Create(CWnd* parent, UINT id, const CHelpBook* book);
    void SetLinkHandler(std::function<void(const CString&)> handler) { m_onLink = std::move(handler); }
    void ShowTopic(const HelpTopic& topic);
    const std::vector<Word>& Words() const { return m_words; }
    // The link under a client point, or an empty key.
    CString LinkAt(CPoint point) const;
    int ScrollOffset() const { return m_scroll; }

  protected:
    int OnCreate(CREATESTRUCT* cs) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC*) override { return TRUE; }
    void OnSize(UINT type, int cx, int cy) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message) override;
    void OnVScroll(UINT code, UINT position, CScrollBar* scrollBar) override;
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point) override;

  private:
    class Layout;

    void LayOut();
    void UpdateScrollBar();
    void ScrollTo(int offset);
    CFont& FontOf(Word::Style style);

    const CHelpBook* m_book = nullptr;
    CString m_title;
    std::vector<HelpBlock> m_blocks;
    std::vector<Word> m_words;
    std::vector<CPoint> m_bullets;
    int m_textHeight = 0;
    int m_scroll = 0;
    CFont m_titleFont;
    CFont m_headingFont;
    CFont m_bodyFont;
    CFont m_linkFont;
    std::function<void(const CString&)> m_onLink;
};
