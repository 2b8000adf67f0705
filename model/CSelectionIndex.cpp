#include "model/CSelectionIndex.h"

bool CSelectionIndex::Holds(CPaintList& selection, const CPaint* object) {
    Sync(selection);
    return m_places.count(object) != 0;
}

void CSelectionIndex::Inserted(CPaintList& selection, CPaintList::iterator at) {
    if (!m_places.emplace(*at, at).second)
        Reread(selection);
}

void CSelectionIndex::Remove(CPaintList& selection, const CPaint* object) {
    Sync(selection);
    const auto found = m_places.find(object);
    if (found == m_places.end())
        return;
    selection.erase(found->second);
    m_places.erase(found);
    if (m_places.size() != selection.size()) {
        selection.remove(const_cast<CPaint*>(object));
        Reread(selection);
    }
}

void CSelectionIndex::Clear() {
    m_places.clear();
}

void CSelectionIndex::Sync(CPaintList& selection) {
    if (m_places.size() != selection.size())
        Reread(selection);
}

void CSelectionIndex::Reread(CPaintList& selection) {
    m_places.clear();
    // Of an object the list holds twice the first copy is kept; such a list is read afresh
    // every time, as its length never matches.
    for (auto at = selection.begin(); at != selection.end(); ++at) m_places.emplace(*at, at);
}
