#pragma once

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <utility>

#include "platform/base/WinTypes.h"

// A growable array. Storage grows in steps: by the grow-by value, or when that is 0 by an
// eighth of the count (at least 4, at most 1024), so that adding one element at a time does
// not copy the whole array each time. Elements beyond the count are value-initialised.
template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray {
public:
    CArray() = default;
    CArray(const CArray& other) { Copy(other); }
    CArray& operator=(const CArray& other) {
        Copy(other);
        return *this;
    }
    CArray(CArray&& other) noexcept { Swap(other); }
    CArray& operator=(CArray&& other) noexcept {
        CArray taken(std::move(other));
        Swap(taken);
        return *this;
    }
    ~CArray() = default;

    int GetSize() const { return m_size; }
    int GetCount() const { return m_size; }
    int GetUpperBound() const { return m_size - 1; }
    BOOL IsEmpty() const { return m_size == 0 ? TRUE : FALSE; }
    // The number of elements the current block holds.
    int GetCapacity() const { return m_capacity; }

    // A growBy of -1 keeps the current step. A size of 0 frees the block.
    void SetSize(int newSize, int growBy = -1) {
        if (newSize < 0) {
            throw std::invalid_argument("negative array size");
        }
        if (growBy >= 0) {
            m_growBy = growBy;
        }
        if (newSize == 0) {
            m_data.reset();
            m_size = m_capacity = 0;
        } else if (!m_data) {
            Reallocate(std::max(newSize, m_growBy));
        } else if (newSize > m_capacity) {
            int step = m_growBy > 0 ? m_growBy : std::clamp(m_size / 8, 4, 1024);
            Reallocate(std::max(m_capacity + step, newSize));
        } else if (newSize < m_size) {
            std::fill(m_data.get() + newSize, m_data.get() + m_size, TYPE());
        }
        m_size = newSize;
    }
    void FreeExtra() {
        if (m_size < m_capacity) {
            m_size == 0 ? SetSize(0) : Reallocate(m_size);
        }
    }
    void RemoveAll() { SetSize(0); }

    TYPE& GetAt(int index) { return m_data[Checked(index)]; }
    const TYPE& GetAt(int index) const { return m_data[Checked(index)]; }
    void SetAt(int index, ARG_TYPE element) { m_data[Checked(index)] = element; }
    TYPE& ElementAt(int index) { return GetAt(index); }
    const TYPE& ElementAt(int index) const { return GetAt(index); }
    TYPE& operator[](int index) { return GetAt(index); }
    const TYPE& operator[](int index) const { return GetAt(index); }
    TYPE* GetData() { return m_data.get(); }
    const TYPE* GetData() const { return m_data.get(); }
    TYPE* begin() { return m_data.get(); }
    TYPE* end() { return m_data.get() + m_size; }
    const TYPE* begin() const { return m_data.get(); }
    const TYPE* end() const { return m_data.get() + m_size; }

    // The element is copied first: it may live in this array's block, which growth frees.
    void SetAtGrow(int index, ARG_TYPE element) {
        TYPE value(element);
        if (index >= m_size) {
            SetSize(index + 1);
        }
        m_data[Checked(index)] = std::move(value);
    }
    int Add(ARG_TYPE element) {
        int index = m_size;
        SetAtGrow(index, element);
        return index;
    }
    // Answers the index of the first appended element.
    int Append(const CArray& source) {
        int oldSize = m_size;
        int added = source.m_size;
        SetSize(m_size + added);
        std::copy(source.m_data.get(), source.m_data.get() + added, m_data.get() + oldSize);
        return oldSize;
    }
    void Copy(const CArray& source) {
        if (this != &source) {
            SetSize(source.m_size);
            std::copy(source.begin(), source.end(), m_data.get());
        }
    }

    // Inserting past the end grows the array up to the index first.
    void InsertAt(int index, ARG_TYPE element, int count = 1) {
        if (index < 0 || count < 0) {
            throw std::out_of_range("array insert out of range");
        }
        TYPE value(element);
        int oldSize = m_size;
        if (index >= oldSize) {
            SetSize(index + count);
        } else {
            SetSize(oldSize + count);
            std::move_backward(m_data.get() + index, m_data.get() + oldSize, m_data.get() + oldSize + count);
        }
        std::fill(m_data.get() + index, m_data.get() + index + count, value);
    }
    void RemoveAt(int index, int count = 1) {
        if (index < 0 || count < 0 || count > m_size - index) {
            throw std::out_of_range("array remove out of range");
        }
        std::move(m_data.get() + index + count, m_data.get() + m_size, m_data.get() + index);
        std::fill(m_data.get() + m_size - count, m_data.get() + m_size, TYPE());
        m_size -= count;
    }

private:
    int Checked(int index) const {
        if (index < 0 || index >= m_size) {
            throw std::out_of_range("array index out of range");
        }
        return index;
    }
    void Reallocate(int capacity) {
        std::unique_ptr<TYPE[]> block(new TYPE[static_cast<size_t>(capacity)]());
        std::move(m_data.get(), m_data.get() + std::min(m_size, capacity), block.get());
        m_data = std::move(block);
        m_capacity = capacity;
    }
    void Swap(CArray& other) noexcept {
        std::swap(m_data, other.m_data);
        std::swap(m_size, other.m_size);
        std::swap(m_capacity, other.m_capacity);
        std::swap(m_growBy, other.m_growBy);
    }

    std::unique_ptr<TYPE[]> m_data;
    int m_size = 0;
    int m_capacity = 0;
    int m_growBy = 0;
};
