#pragma once

#include <stdexcept>
#include <utility>

#include "platform/base/POSITION.h"
#include "platform/base/WinTypes.h"

// A doubly linked list walked by POSITION. A position stays valid until its element is
// removed, whatever else is inserted or removed.
template <class TYPE, class ARG_TYPE = const TYPE&>
class CList {
public:
    CList() = default;
    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;
    ~CList() { RemoveAll(); }

    int GetCount() const { return m_count; }
    int GetSize() const { return m_count; }
    BOOL IsEmpty() const { return m_count == 0 ? TRUE : FALSE; }

    TYPE& GetHead() { return NonEmpty(m_head)->data; }
    const TYPE& GetHead() const { return NonEmpty(m_head)->data; }
    TYPE& GetTail() { return NonEmpty(m_tail)->data; }
    const TYPE& GetTail() const { return NonEmpty(m_tail)->data; }

    TYPE RemoveHead() { return Unlink(NonEmpty(m_head)); }
    TYPE RemoveTail() { return Unlink(NonEmpty(m_tail)); }
    POSITION AddHead(ARG_TYPE element) { return Link(new Node{TYPE(element)}, nullptr, m_head); }
    POSITION AddTail(ARG_TYPE element) { return Link(new Node{TYPE(element)}, m_tail, nullptr); }
    void RemoveAll() {
        while (m_head) {
            Unlink(m_head);
        }
    }

    POSITION GetHeadPosition() const { return ToPosition(m_head); }
    POSITION GetTailPosition() const { return ToPosition(m_tail); }
    // The element at pos; pos moves to the next (or previous) one, null past the end.
    TYPE& GetNext(POSITION& pos) { return Step(pos, true)->data; }
    const TYPE& GetNext(POSITION& pos) const { return Step(pos, true)->data; }
    TYPE& GetPrev(POSITION& pos) { return Step(pos, false)->data; }
    const TYPE& GetPrev(POSITION& pos) const { return Step(pos, false)->data; }

    TYPE& GetAt(POSITION pos) { return FromPosition(pos)->data; }
    const TYPE& GetAt(POSITION pos) const { return FromPosition(pos)->data; }
    void SetAt(POSITION pos, ARG_TYPE element) { FromPosition(pos)->data = element; }
    void RemoveAt(POSITION pos) { Unlink(FromPosition(pos)); }
    // Before (after) a null position means at the head (tail).
    POSITION InsertBefore(POSITION pos, ARG_TYPE element) {
        Node* next = pos ? FromPosition(pos) : m_head;
        return Link(new Node{TYPE(element)}, next ? next->prev : m_tail, next);
    }
    POSITION InsertAfter(POSITION pos, ARG_TYPE element) {
        Node* prev = pos ? FromPosition(pos) : m_tail;
        return Link(new Node{TYPE(element)}, prev, prev ? prev->next : m_head);
    }

    // The first element equal to the value after startAfter (from the head when null).
    POSITION Find(ARG_TYPE value, POSITION startAfter = nullptr) const {
        Node* node = startAfter ? FromPosition(startAfter)->next : m_head;
        while (node && !(node->data == value)) {
            node = node->next;
        }
        return ToPosition(node);
    }
    // The position of the element at a zero-based index, null when out of range.
    POSITION FindIndex(int index) const {
        if (index < 0 || index >= m_count) {
            return nullptr;
        }
        Node* node = m_head;
        while (index-- > 0) {
            node = node->next;
        }
        return ToPosition(node);
    }

private:
    struct Node {
        TYPE data;
        Node* prev = nullptr;
        Node* next = nullptr;
    };

    static POSITION ToPosition(Node* node) { return reinterpret_cast<POSITION>(node); }
    static Node* FromPosition(POSITION pos) {
        if (!pos) {
            throw std::out_of_range("list position is null");
        }
        return reinterpret_cast<Node*>(pos);
    }
    static Node* NonEmpty(Node* end) {
        if (!end) {
            throw std::out_of_range("list is empty");
        }
        return end;
    }
    static Node* Step(POSITION& pos, bool forward) {
        Node* node = FromPosition(pos);
        pos = ToPosition(forward ? node->next : node->prev);
        return node;
    }

    POSITION Link(Node* node, Node* prev, Node* next) {
        node->prev = prev;
        node->next = next;
        (prev ? prev->next : m_head) = node;
        (next ? next->prev : m_tail) = node;
        ++m_count;
        return ToPosition(node);
    }
    TYPE Unlink(Node* node) {
        (node->prev ? node->prev->next : m_head) = node->next;
        (node->next ? node->next->prev : m_tail) = node->prev;
        --m_count;
        TYPE data = std::move(node->data);
        delete node;
        return data;
    }

    Node* m_head = nullptr;
    Node* m_tail = nullptr;
    int m_count = 0;
};
