#include "model/CSettingsBackup.h"

#include "platform/base/CArchive.h"
#include "platform/base/CMemFile.h"

CSettingsBackup& CSettingsBackup::Shared() {
    static CSettingsBackup backup;
    return backup;
}

void CSettingsBackup::Save(const std::function<void(CArchive&)>& store) {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    store(ar);
    ar.Close();
    m_record = file.Detach();
}

void CSettingsBackup::Restore(const std::function<void(CArchive&)>& load) const {
    if (m_record.empty())
        return;
    CMemFile file(m_record.data(), static_cast<UINT>(m_record.size()));
    CArchive ar(&file, CArchive::load);
    load(ar);
}
