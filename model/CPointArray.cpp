#include "model/CPointArray.h"

#include <algorithm>
#include <bit>
#include <stdexcept>
#include <type_traits>
#include <utility>

#include "model/RecordReading.h"
#include "platform/base/CArchive.h"
#include "platform/base/CArchiveException.h"
#include "platform/base/CFile.h"

// The records are stored as they lie in memory: x then y, little-endian IEEE doubles.
static_assert(std::endian::native == std::endian::little);
static_assert(sizeof(CDoublePoint) == 16 && std::is_standard_layout_v<CDoublePoint>);

namespace {

constexpr ULONGLONG kRecordSize = sizeof(CDoublePoint);

UINT RecordBytes(int count) {
    return static_cast<UINT>(count) * static_cast<UINT>(kRecordSize);
}

}  // namespace

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

void CPointArray::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD>(m_count));
        if (m_count > 0) {
            ar.Write(m_data.get(), RecordBytes(m_count));
        }
        return;
    }
    const DWORD count = ar.ReadCount();
    if (count > static_cast<DWORD>(kMaxCount) || count * kRecordSize > ar.BytesRemaining()) {
        throw CArchiveException(CArchiveException::endOfFile,
                                ar.GetFile() ? ar.GetFile()->GetFilePath() : CString());
    }
    SetSize(static_cast<int>(count));
    if (m_count > 0) {
        ar.Read(m_data.get(), RecordBytes(m_count));
    }
    // Points read are held within the layout's range, as every coordinate of a record is.
    for (int i = 0; i < m_count; ++i) {
        m_data[i] = {CoordinateInRange(m_data[i].x), CoordinateInRange(m_data[i].y)};
    }
}
