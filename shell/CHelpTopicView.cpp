#include "shell/CHelpTopicView.h"

#include <algorithm>

#include "platform/gdi/CDC.h"
#include "platform/win/Cursors.h"
#include "platform/win/WindowDCs.h"
#include "shell/CHelpBook.h"

IMPLEMENT_DYNAMIC(CHelpTopicView, CWnd)

namespace {

constexpr int kMargin = 12;
constexpr int kItemIndent = 18;
constexpr int kBlockGap = 8;
constexpr int kLineStep = 20;
constexpr int kWheelStep = 3 * kLineStep;
constexpr int kBulletSize = 4;
constexpr COLORREF kPaper = RGB(255, 255, 255);
constexpr COLORREF kInk = RGB(0, 0, 0);
constexpr COLORREF kHeadingInk = RGB(0, 0, 128);
constexpr COLORREF kLinkInk = RGB(0, 0, 255);
constexpr const char* kFace = "Arial";

void MakeFont(CFont& font, int pixels, LONG weight, BYTE underline) {
    font.CreateFont(-pixels, 0, 0, 0, weight, FALSE, underline, FALSE, 0, 0, 0, 0, 0, kFace);
}

std::vector<CString> SplitWords(const CString& text) {
    std::vector<CString> words;
    CString word;
    for (int i = 0; i < text.GetLength(); ++i) {
        if (text[i] == ' ') {
            if (!word.IsEmpty())
                words.push_back(word);
            word.Empty();
        } else {
            word += text[i];
        }
    }
    if (!word.IsEmpty())
        words.push_back(word);
    return words;
}

}  // namespace

// Flows words from left to right inside the view's width, breaking lines where a word would
// run past the right margin.
class CHelpTopicView::Layout {
  public:
    Layout(CHelpTopicView& view, CDC& dc, int width) : m_view(view), m_dc(dc), m_right(width - kMargin) {}

    void Block(const HelpBlock& block, const CHelpBook* book) {
        const Word::Style body =
            block.kind == HelpBlock::Kind::Heading ? Word::Style::Heading : Word::Style::Body;
        m_left = block.kind == HelpBlock::Kind::Item ? kMargin + kItemIndent : kMargin;
        m_x = m_left;
        if (block.kind == HelpBlock::Kind::Item)
            m_view.m_bullets.emplace_back(kMargin + kItemIndent / 3, m_y + kLineStep / 2);
        for (const HelpRun& run : block.runs) Run(run, body, book);
        EndBlock();
    }
    void Title(const CString& title) {
        m_left = m_x = kMargin;
        for (const CString& word : SplitWords(title)) Place(word, "", Word::Style::Title);
        EndBlock();
    }
    int Height() const { return m_y; }

  private:
    void Run(const HelpRun& run, Word::Style body, const CHelpBook* book) {
        CString text = run.text;
        if (text.IsEmpty() && !run.link.IsEmpty()) {
            const HelpTopic* target = book ? book->Find(run.link) : nullptr;
            text = target ? target->title : run.link;
        }
        const Word::Style style = run.link.IsEmpty() ? body : Word::Style::Link;
        // A run that starts without a space sticks to the word before it ("topic,").
        bool joined = !text.IsEmpty() && text[0] != ' ' && !m_lineWords.empty() && m_lastRunJoins;
        const std::vector<CString> words = SplitWords(text);
        for (size_t i = 0; i < words.size(); ++i) {
            // A link's later words carry their space, so that its underline runs unbroken.
            const bool carriesSpace = i > 0 && !run.link.IsEmpty();
            Place(carriesSpace ? " " + words[i] : words[i], run.link, style, joined || carriesSpace);
            joined = false;
        }
        m_lastRunJoins = !text.IsEmpty() && text[text.GetLength() - 1] != ' ';
    }
    void Place(CString text, const CString& link, Word::Style style, bool joined = false) {
        m_dc.SelectObject(&m_view.FontOf(style));
        CSize size = m_dc.GetTextExtent(text);
        const int space = joined || m_x == m_left ? 0 : m_dc.GetTextExtent(" ").cx;
        if (m_x + space + size.cx > m_right && m_x > m_left) {
            NewLine();
            text.TrimLeft();
            size = m_dc.GetTextExtent(text);
        } else {
            m_x += space;
        }
        const CRect rect(m_x, m_y, m_x + size.cx, m_y + size.cy);
        m_view.m_words.push_back({text, link, rect, style});
        m_lineWords.push_back(m_view.m_words.size() - 1);
        m_lineHeight = std::max(m_lineHeight, static_cast<int>(size.cy));
        m_x += size.cx;
    }
    void NewLine() {
        m_y += std::max(m_lineHeight, kLineStep);
        m_x = m_left;
        m_lineHeight = 0;
        m_lineWords.clear();
    }
    void EndBlock() {
        if (!m_lineWords.empty() || m_lineHeight > 0)
            NewLine();
        m_y += kBlockGap;
        m_lastRunJoins = false;
    }

    CHelpTopicView& m_view;
    CDC& m_dc;
    int m_right;
    int m_left = kMargin;
    int m_x = kMargin;
    int m_y = kMargin;
    int m_lineHeight = 0;
    bool m_lastRunJoins = false;
    std::vector<size_t> m_lineWords;
};

CHelpTopicView::CHelpTopicView() = default;

BOOL CHelpTopicView::Create(CWnd* parent, UINT id, const CHelpBook* book) {
    m_book = book;
    return CreateEx(WS_EX_CLIENTEDGE, nullptr, "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, CRect(), parent, id);
}

int CHelpTopicView::OnCreate(CREATESTRUCT* cs) {
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    MakeFont(m_titleFont, 20, FW_BOLD, FALSE);
    MakeFont(m_headingFont, 16, FW_BOLD, FALSE);
    MakeFont(m_bodyFont, 14, FW_NORMAL, FALSE);
    MakeFont(m_linkFont, 14, FW_NORMAL, TRUE);
    return 0;
}

void CHelpTopicView::ShowTopic(const HelpTopic& topic) {
    m_title = topic.title;
    m_blocks = ParseHelpText(topic.lines);
    m_scroll = 0;
    LayOut();
}

CFont& CHelpTopicView::FontOf(Word::Style style) {
    switch (style) {
        case Word::Style::Title:
            return m_titleFont;
        case Word::Style::Heading:
            return m_headingFont;
        case Word::Style::Link:
            return m_linkFont;
        default:
            return m_bodyFont;
    }
}

void CHelpTopicView::LayOut() {
    m_words.clear();
    m_bullets.clear();
    CRect client;
    GetClientRect(&client);
    CClientDC dc(this);
    CFont* old = dc.SelectObject(&m_bodyFont);
    Layout layout(*this, dc, client.Width());
    layout.Title(m_title);
    for (const HelpBlock& block : m_blocks) layout.Block(block, m_book);
    dc.SelectObject(old);
    m_textHeight = layout.Height();
    UpdateScrollBar();
    Invalidate();
}

void CHelpTopicView::UpdateScrollBar() {
    CRect client;
    GetClientRect(&client);
    m_scroll = std::clamp(m_scroll, 0, std::max(0, m_textHeight - client.Height()));
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, m_textHeight, static_cast<UINT>(client.Height()),
                    m_scroll,           0};
    SetScrollInfo(SB_VERT, &info);
}

void CHelpTopicView::ScrollTo(int offset) {
    const int before = m_scroll;
    m_scroll = offset;
    UpdateScrollBar();
    if (m_scroll != before)
        Invalidate();
}

void CHelpTopicView::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, kPaper);
    dc.SetBkMode(TRANSPARENT);
    for (const Word& word : m_words) {
        const CRect rect = word.rect - CPoint(0, m_scroll);
        if (rect.bottom < 0 || rect.top > client.bottom)
            continue;
        dc.SelectObject(&FontOf(word.style));
        const bool heading = word.style == Word::Style::Title || word.style == Word::Style::Heading;
        dc.SetTextColor(word.style == Word::Style::Link ? kLinkInk : heading ? kHeadingInk : kInk);
        dc.TextOut(rect.left, rect.top, word.text);
    }
    for (const CPoint& bullet : m_bullets)
        dc.FillSolidRect(bullet.x, bullet.y - kBulletSize / 2 - m_scroll, kBulletSize, kBulletSize, kInk);
}

void CHelpTopicView::OnSize(UINT type, int cx, int cy) {
    CWnd::OnSize(type, cx, cy);
    LayOut();
}

CString CHelpTopicView::LinkAt(CPoint point) const {
    const CPoint text = point + CPoint(0, m_scroll);
    for (const Word& word : m_words)
        if (!word.link.IsEmpty() && word.rect.PtInRect(text))
            return word.link;
    return "";
}

// A click in the text gives it the keys, so that they scroll it.
void CHelpTopicView::OnLButtonDown(UINT, CPoint point) {
    SetFocus();
    const CString link = LinkAt(point);
    if (!link.IsEmpty() && m_onLink)
        m_onLink(link);
}

BOOL CHelpTopicView::OnSetCursor(CWnd* window, UINT hitTest, UINT message) {
    CPoint point = WindowManager::Instance().CursorPos();
    ScreenToClient(&point);
    if (hitTest != HTCLIENT || LinkAt(point).IsEmpty())
        return CWnd::OnSetCursor(window, hitTest, message);
    ::SetCursor(LoadStandardCursor(IDC_HAND));
    return TRUE;
}

void CHelpTopicView::OnVScroll(UINT code, UINT position, CScrollBar*) {
    CRect client;
    GetClientRect(&client);
    switch (code) {
        case SB_LINEUP:
            ScrollTo(m_scroll - kLineStep);
            break;
        case SB_LINEDOWN:
            ScrollTo(m_scroll + kLineStep);
            break;
        case SB_PAGEUP:
            ScrollTo(m_scroll - client.Height());
            break;
        case SB_PAGEDOWN:
            ScrollTo(m_scroll + client.Height());
            break;
        case SB_TOP:
            ScrollTo(0);
            break;
        case SB_BOTTOM:
            ScrollTo(m_textHeight);
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            ScrollTo(static_cast<int>(position));
            break;
        default:
            break;
    }
}

void CHelpTopicView::OnKeyDown(UINT key, UINT repeat, UINT flags) {
    switch (key) {
        case VK_UP:
            return OnVScroll(SB_LINEUP, 0, nullptr);
        case VK_DOWN:
            return OnVScroll(SB_LINEDOWN, 0, nullptr);
        case VK_PRIOR:
            return OnVScroll(SB_PAGEUP, 0, nullptr);
        case VK_NEXT:
            return OnVScroll(SB_PAGEDOWN, 0, nullptr);
        case VK_HOME:
            return OnVScroll(SB_TOP, 0, nullptr);
        case VK_END:
            return OnVScroll(SB_BOTTOM, 0, nullptr);
        default:
            return CWnd::OnKeyDown(key, repeat, flags);
    }
}

BOOL CHelpTopicView::OnMouseWheel(UINT, short delta, CPoint) {
    ScrollTo(m_scroll - delta / 120 * kWheelStep);
    return TRUE;
}
