#include "resources/CommandPrompts.h"

#include <vector>

#include "resources/CommandTexts.h"

namespace {

std::vector<CStringTable::Entry> PromptEntries() {
    std::vector<CStringTable::Entry> entries;
    for (const CommandText& text : CommandTexts()) entries.push_back({text.id, text.prompt});
    return entries;
}

}  // namespace

std::span<const CStringTable::Entry> CommandPrompts() {
    static const std::vector<CStringTable::Entry> entries = PromptEntries();
    return entries;
}
