#include "tests/model/LayoutBytes.h"

#include "model/CCVNDoc.h"
#include "platform/base/CArchive.h"
#include "platform/base/CMemFile.h"

std::vector<BYTE> SaveLayoutBytes(CCVNDoc& doc) {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    doc.Serialize(ar);
    ar.Close();
    return file.Detach();
}

void LoadLayoutBytes(CCVNDoc& doc, const std::vector<BYTE>& bytes) {
    CMemFile file(const_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    doc.Serialize(ar);
}
