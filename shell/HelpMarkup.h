#pragma once

#include <vector>

#include "platform/base/CString.h"

// A stretch of a help paragraph: plain words, or words that lead to the topic named by link.
// A link written without words shows the title of its topic, filled in by the reader.
struct HelpRun {
    CString text;
    CString link;
};

// One block of a help topic as the window lays it out: a heading, a paragraph or a list item.
struct HelpBlock {
    enum class Kind { Heading, Paragraph, Item };
    Kind kind = Kind::Paragraph;
    std::vector<HelpRun> runs;
};

// The blocks of a topic's text: "= " starts a heading line, "* " a list item, a blank line ends
// a paragraph, other lines run on into the paragraph; [[key]] and [[key|words]] are links.
std::vector<HelpBlock> ParseHelpText(const std::vector<CString>& lines);

// The runs of one piece of text, its links split out.
std::vector<HelpRun> ParseHelpRuns(const CString& text);
