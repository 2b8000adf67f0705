#include "model/CPointArray.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

CPointArray::CPointArray(const CPointArray& other) {
    Copy(other);
}

CPointArray& CPointArray::operator=(const CPointArray& other) {
    if (this != &other) {
        Copy(other);
    }
    return *this;
}

CPointArray::CPointArray(CPointArray&& other) noexcept
    : m_data(std::move(other.m_data)),
      m_count(std::exchange(other.m_count, 0)),
      m_capacity(std::exchange(other.m_capacity, 0)) {}

CPointArray& CPointArray::operator=(CPointArray&& other) noexcept {
    m_data = std::move(other.m_data);
    m_count = std::exchange(other.m_count, 0);
    m_capacity = std::exchange(other.m_capacity, 0);
    return *this;
}

const CDoublePoint& CPointArray::GetAt(int index) const {
    if (index < 0 || index >= m_count) {
        throw std::out_of_range("point index out of range");
    }
    return m_data[index];
}

CDoublePoint& CPointArray::ElementAt(int index) {
    if (index < 0 || index >= m_count) {
        throw std::out_of_range("point index out of range");
    }
    return m_data[index];
}

int CPointArray::Add(const CDoublePoint& point) {
    const int index = m_count;
    SetSize(m_count + 1);
    m_data[index] = point;
    return index;
}

void CPointArray::SetSize(int newCount) {
    if (newCount < 0 || newCount > kMaxCount) {
        throw std::length_error("point count out of range");
    }
    if (newCount == 0) {
        RemoveAll();
        return;
    }
    if (newCount > m_capacity) {
        GrowTo(newCount);
    } else if (newCount > m_count) {
        std::fill(m_data.get() + m_count, m_data.get() + newCount, CDoublePoint{});
    }
    m_count = newCount;
}

void CPointArray::GrowTo(int newCount) {
    int capacity = newCount;
    if (m_data) {
        const int step = std::clamp(m_count / 8, 4, 1024);
        capacity = std::max(static_cast<int>(std::min<long long>(m_capacity + step, kMaxCount)), newCount);
    }
    auto block = std::make_unique<CDoublePoint[]>(static_cast<size_t>(capacity));
    std::copy(m_data.get(), m_data.get() + m_count, block.get());
    m_data = std::move(block);
    m_capacity = capacity;
}

void CPointArray::RemoveAll() {
    m_data.reset();
    m_count = 0;
    m_capacity = 0;
}

void CPointArray::Copy(const CPointArray& other) {
    RemoveAll();
    if (other.m_count > 0) {
        SetSize(other.m_count);
        std::copy(other.m_data.get(), other.m_data.get() + other.m_count, m_data.get());
    }
}
