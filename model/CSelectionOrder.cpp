#include "model/CSelectionOrder.h"

#include <cstddef>

CSelectionOrder::CSelectionOrder(const CPaintList& selection, CSelectionOrder*& slot) : m_slot(slot) {
    if (m_slot != nullptr)
        return;
    m_slot = this;
    m_bOwnsSlot = true;
    int place = 0;
    for (const CPaint* object : selection) m_places.emplace(object, place++);
    // An object twice in the selection leaves it at once from both places.
    m_bValid = m_places.size() == selection.size();
    m_removed.assign(selection.size() + 1, 0);
}

CSelectionOrder::~CSelectionOrder() {
    if (m_bOwnsSlot)
        m_slot = nullptr;
}

int CSelectionOrder::PositionOf(const CPaint* object) const {
    if (!m_bValid)
        return -1;
    const auto found = m_places.find(object);
    return found != m_places.end() ? found->second - RemovedBefore(found->second) : -1;
}

void CSelectionOrder::Removed(const CPaint* object) {
    const auto found = m_places.find(object);
    if (found == m_places.end())
        return;
    for (std::size_t at = static_cast<std::size_t>(found->second) + 1; at < m_removed.size();
         at += at & (~at + 1))
        ++m_removed[at];
    m_places.erase(found);
}

void CSelectionOrder::Added() {
    m_bValid = false;
}

int CSelectionOrder::RemovedBefore(int place) const {
    int count = 0;
    for (std::size_t at = static_cast<std::size_t>(place); at > 0; at -= at & (~at + 1))
        count += m_removed[at];
    return count;
}
