#pragma once

#include <memory>

#include "model/Geometry.h"

class CArchive;

// The growable array of points every layout object keeps in its local frame. It grows in
// the framework's steps (an eighth of the count, 4 to 1024 records) and zero-fills the
// records it adds, so a stored array reads back into the same block shape.
class CPointArray {
  public:
    // The largest count whose records still fit the byte counts of the archive.
    static constexpr int kMaxCount = 0x7FFFFFFF / static_cast<int>(sizeof(CDoublePoint));

    CPointArray() = default;
    CPointArray(const CPointArray& other);
    CPointArray& operator=(const CPointArray& other);
    CPointArray(CPointArray&& other) noexcept;
    CPointArray& operator=(CPointArray&& other) noexcept;

    int GetSize() const { return m_count; }
    int GetCount() const { return m_count; }
    int GetUpperBound() const { return m_count - 1; }
    bool IsEmpty() const { return m_count == 0; }
    int GetCapacity() const { return m_capacity; }

    // Index checked: std::out_of_range outside 0 .. count - 1.
    const CDoublePoint& GetAt(int index) const;
    CDoublePoint& ElementAt(int index);
    void SetAt(int index, const CDoublePoint& point) { ElementAt(index) = point; }
    const CDoublePoint& operator[](int index) const { return GetAt(index); }
    CDoublePoint& operator[](int index) { return ElementAt(index); }
    const CDoublePoint* GetData() const { return m_data.get(); }
    CDoublePoint* GetData() { return m_data.get(); }

    // Appends at the end and answers the new point's index.
    int Add(const CDoublePoint& point);
    int Add(double x, double y) { return Add(CDoublePoint{x, y}); }
    // Sets the count; 0 frees the block. Throws std::length_error outside 0 .. kMaxCount.
    void SetSize(int newCount);
    // Frees the block; count and capacity become 0.
    void RemoveAll();
    void Copy(const CPointArray& other);

    // The count in the archive's count form, then the raw records. A stored count that the
    // rest of the file cannot hold throws CArchiveException before anything is allocated.
    void Serialize(CArchive& ar);

  private:
    void GrowTo(int newCount);

    std::unique_ptr<CDoublePoint[]> m_data;
    int m_count = 0;
    int m_capacity = 0;
};
