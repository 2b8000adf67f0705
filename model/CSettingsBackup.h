#pragma once

#include <functional>
#include <vector>

#include "platform/base/WinTypes.h"

class CArchive;

// One copy of a document's default settings, kept for the whole run and shared by every
// document: the default-settings files can then be rewritten from the stored values and the
// document's own settings put back afterwards. The copy is the settings record as the
// default-settings file holds it, kept in memory.
class CSettingsBackup {
  public:
    static CSettingsBackup& Shared();

    // Keeps the record that store writes, in place of the one kept before.
    void Save(const std::function<void(CArchive&)>& store);
    // Hands the kept record to load; nothing is loaded while none was saved.
    void Restore(const std::function<void(CArchive&)>& load) const;

  private:
    std::vector<BYTE> m_record;
};
