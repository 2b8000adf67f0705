#include "terrain/CIntTable.h"

void CIntTable::Create(int columns, int rows) {
    Free();
    if (columns <= 0 || rows <= 0)
        return;
    m_nColumns = columns;
    m_nRows = rows;
    m_entries.assign(static_cast<size_t>(columns) * static_cast<size_t>(rows), -1);
}

void CIntTable::Free() {
    m_entries.clear();
    m_nColumns = 0;
    m_nRows = 0;
}

int CIntTable::Get(int column, int row) const {
    if (column < 0 || row < 0 || column >= m_nColumns || row >= m_nRows)
        return -1;
    return m_entries[static_cast<size_t>(column) * static_cast<size_t>(m_nRows) + static_cast<size_t>(row)];
}

void CIntTable::Set(int column, int row, int value) {
    if (column < 0 || row < 0 || column >= m_nColumns || row >= m_nRows)
        return;
    m_entries[static_cast<size_t>(column) * static_cast<size_t>(m_nRows) + static_cast<size_t>(row)] = value;
}
