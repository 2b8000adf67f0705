#pragma once

#include <cstddef>
#include <vector>

// A table of ints by column and row, every entry -1 when made: the terrain's grid position to
// knot index.
class CIntTable {
  public:
    void Create(int columns, int rows);
    void Free();
    int Columns() const { return m_nColumns; }
    int Rows() const { return m_nRows; }
    // -1 outside the table.
    int Get(int column, int row) const;
    void Set(int column, int row, int value);

  private:
    std::vector<int> m_entries;
    int m_nColumns = 0;
    int m_nRows = 0;
};
