#include "shell/HelpMarkup.h"

namespace {

constexpr const char* kLinkOpen = "[[";
constexpr const char* kLinkClose = "]]";

CString Trimmed(CString text) {
    return text.Trim();
}

HelpRun LinkRun(const CString& inside) {
    const int bar = inside.Find('|');
    if (bar < 0)
        return {"", Trimmed(inside)};
    return {Trimmed(inside.Mid(bar + 1)), Trimmed(inside.Left(bar))};
}

class BlockCollector {
  public:
    void Line(const CString& line) {
        const CString trimmed = Trimmed(line);
        if (trimmed.IsEmpty()) {
            EndBlock();
        } else if (trimmed.Left(2) == "= ") {
            EndBlock();
            Append(HelpBlock::Kind::Heading, trimmed.Mid(2));
            EndBlock();
        } else if (trimmed.Left(2) == "* ") {
            EndBlock();
            Append(HelpBlock::Kind::Item, trimmed.Mid(2));
        } else {
            Append(HelpBlock::Kind::Paragraph, trimmed);
        }
    }
    std::vector<HelpBlock> Finish() {
        EndBlock();
        return std::move(m_blocks);
    }

  private:
    // A line that follows a paragraph or list item runs on into it.
    void Append(HelpBlock::Kind kind, const CString& text) {
        if (!m_open) {
            m_text.Empty();
            m_kind = kind;
            m_open = true;
        } else {
            m_text += ' ';
        }
        m_text += text;
    }
    void EndBlock() {
        if (m_open)
            m_blocks.push_back({m_kind, ParseHelpRuns(m_text)});
        m_open = false;
    }

    std::vector<HelpBlock> m_blocks;
    HelpBlock::Kind m_kind = HelpBlock::Kind::Paragraph;
    CString m_text;
    bool m_open = false;
};

}  // namespace

std::vector<HelpRun> ParseHelpRuns(const CString& text) {
    std::vector<HelpRun> runs;
    int start = 0;
    while (start < text.GetLength()) {
        const int open = text.Find(kLinkOpen, start);
        const int close = open < 0 ? -1 : text.Find(kLinkClose, open + 2);
        if (close < 0) {
            runs.push_back({text.Mid(start), ""});
            break;
        }
        if (open > start)
            runs.push_back({text.Mid(start, open - start), ""});
        runs.push_back(LinkRun(text.Mid(open + 2, close - open - 2)));
        start = close + 2;
    }
    return runs;
}

std::vector<HelpBlock> ParseHelpText(const std::vector<CString>& lines) {
    BlockCollector collector;
    for (const CString& line : lines) collector.Line(line);
    return collector.Finish();
}
