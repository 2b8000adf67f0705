#pragma once

#include <cstdint>

#include "model/PaintRecords.h"

// A group's members in z-order, the head front-most, read as a CPaintList. Every change to the
// list counts, so that what a group keeps about its members (the index of their boxes) knows
// when it must be built again.
class CMemberList {
  public:
    using const_iterator = CPaintList::const_iterator;
    using const_reverse_iterator = CPaintList::const_reverse_iterator;
    using value_type = CPaint*;

    operator const CPaintList&() const { return m_list; }
    bool operator==(const CPaintList& other) const { return m_list == other; }

    // Goes up by one at every change of the list.
    std::uint64_t Version() const { return m_version; }

    const_iterator begin() const { return m_list.begin(); }
    const_iterator end() const { return m_list.end(); }
    const_reverse_iterator rbegin() const { return m_list.rbegin(); }
    const_reverse_iterator rend() const { return m_list.rend(); }
    bool empty() const { return m_list.empty(); }
    std::size_t size() const { return m_list.size(); }
    CPaint* front() const { return m_list.front(); }
    CPaint* back() const { return m_list.back(); }

    void push_front(CPaint* object);
    void push_back(CPaint* object);
    void pop_front();
    void pop_back();
    void remove(CPaint* object);
    const_iterator erase(const_iterator at);
    void clear();
    void swap(CPaintList& other);

  private:
    CPaintList m_list;
    std::uint64_t m_version = 0;
};
