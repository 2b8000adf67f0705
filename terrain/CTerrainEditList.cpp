#include "terrain/CTerrainEditList.h"

#include <cmath>

#include "model/LayoutFile.h"
#include "platform/base/CArchive.h"
#include "platform/base/CArchiveException.h"

void CTerrainEditList::MergeRecord(const CTerrainEdit& record) {
    if (record.mode == CTerrainEdit::kReset) {
        m_records.clear();
        return;
    }
    for (auto it = m_records.begin(); it != m_records.end(); ++it) {
        if (it->x != record.x || it->y != record.y || it->radius != record.radius || it->mode != record.mode)
            continue;
        it->dz += record.dz;
        if (std::fabs(it->dz) < 0.01f)
            m_records.erase(it);
        return;
    }
    m_records.push_back(record);
}

void CTerrainEditList::Merge(const CTerrainEditList& loaded, CTerrainEditList& target,
                             const CTerrainEditList& source) {
    for (const CTerrainEdit& record : loaded.m_records) target.m_records.push_back(record);
    for (const CTerrainEdit& record : source.m_records) target.MergeRecord(record);
}

void CTerrainEditList::PopGroup() {
    while (!m_records.empty()) {
        const bool start = m_records.back().group != 0;
        m_records.pop_back();
        if (start)
            return;
    }
}

void CTerrainEditList::Store(CArchive& ar) const {
    ar << static_cast<int>(m_records.size());
    for (const CTerrainEdit& r : m_records) ar << r.x << r.y << r.dz << r.radius << r.mode;
}

void CTerrainEditList::Load(CArchive& ar) {
    int count = 0;
    ar >> count;
    if (count < 0 || static_cast<ULONGLONG>(count) * CTerrainEdit::kStoredSize > ar.BytesRemaining())
        FailRead(ar, CArchiveException::badIndex);
    std::vector<CTerrainEdit> records(static_cast<size_t>(count));
    for (CTerrainEdit& r : records) {
        ar >> r.x >> r.y >> r.dz >> r.radius >> r.mode;
        if (!std::isfinite(r.x) || !std::isfinite(r.y) || !std::isfinite(r.dz) || !std::isfinite(r.radius))
            FailRead(ar, CArchiveException::badSchema);
        r.group = 1;
    }
    m_records = std::move(records);
}
