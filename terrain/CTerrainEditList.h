#pragma once

#include <cstddef>
#include <vector>

class CArchive;

// One raise or lowering of a terrain around a point of its own frame: the change fades to 0 at
// the radius, linearly (mode 0) or by the square root (mode 1); mode 2 resets the terrain.
// The group flag marks the first record of one user action.
struct CTerrainEdit {
    float x = 0.0f;
    float y = 0.0f;
    float dz = 0.0f;
    float radius = 0.0f;
    int mode = 0;
    int group = 0;

    static constexpr int kLinear = 0;
    static constexpr int kSquareRoot = 1;
    static constexpr int kReset = 2;
    // Bytes of a stored record.
    static constexpr int kStoredSize = 20;
};

// A terrain's edit records in the order they were made.
class CTerrainEditList {
  public:
    int GetCount() const { return static_cast<int>(m_records.size()); }
    const CTerrainEdit& operator[](int index) const { return m_records[static_cast<size_t>(index)]; }
    CTerrainEdit& operator[](int index) { return m_records[static_cast<size_t>(index)]; }
    const std::vector<CTerrainEdit>& Records() const { return m_records; }
    void Append(const CTerrainEdit& record) { m_records.push_back(record); }
    void RemoveAll() { m_records.clear(); }
    // A reset empties the list; a record at the same spot, radius and mode adds its change to
    // the one there, which goes when the sum is below 0.01; any other record is appended.
    void MergeRecord(const CTerrainEdit& record);
    // Appends the loaded records, then merges the source's one by one.
    static void Merge(const CTerrainEditList& loaded, CTerrainEditList& target,
                      const CTerrainEditList& source);
    // Takes records off the end up to and including the last that starts a group.
    void PopGroup();
    // The stored form: an int32 count, then x, y, change and radius as floats and the mode.
    void Store(CArchive& ar) const;
    // Reads a stored list, every record marked as a group start; a count below 0 or beyond
    // the bytes left, or a value that is not finite, fails the read with the list untouched.
    void Load(CArchive& ar);

  private:
    std::vector<CTerrainEdit> m_records;
};
