#include "model/CMemberList.h"

void CMemberList::push_front(CPaint* object) {
    m_list.push_front(object);
    ++m_version;
}

void CMemberList::push_back(CPaint* object) {
    m_list.push_back(object);
    ++m_version;
}

void CMemberList::pop_front() {
    m_list.pop_front();
    ++m_version;
}

void CMemberList::pop_back() {
    m_list.pop_back();
    ++m_version;
}

void CMemberList::remove(CPaint* object) {
    m_list.remove(object);
    ++m_version;
}

CMemberList::const_iterator CMemberList::erase(const_iterator at) {
    ++m_version;
    return m_list.erase(at);
}

void CMemberList::clear() {
    m_list.clear();
    ++m_version;
}

void CMemberList::swap(CPaintList& other) {
    m_list.swap(other);
    ++m_version;
}
