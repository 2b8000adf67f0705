#include "tests/model/OlderLayoutFile.h"

#include "platform/base/CArchive.h"
#include "platform/base/CMemFile.h"
#include "platform/base/CString.h"

std::vector<BYTE> OlderLayoutFile(int version, const std::vector<BYTE>& defaultTrackRecord) {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    ar << version << 3 << 30000.0 << 20000.0 << 20.0 << 20.0 << 0 << 2 << 5 << 2;
    ar << 1 << 500 << 600 << 0x123456 << CString("spare") << 0 << CString("grass.bmp") << 0
       << CString("sky.bmp");
    if (version >= 2) {
        ar << 0x111111 << 1 << 48.0 << CString("C:\\lib.cvl") << CString("lib.cvl") << CString("C:\\p.cvp")
           << CString("p.cvp") << 70.0 << 40.0 << 12.0 << 0.2 << 0.8 << 0 << 0;
    }
    if (version >= 5)
        ar << 0x222222 << 7;
    if (version >= 14) {
        if (defaultTrackRecord.empty())
            ar.WriteObject(nullptr);
        else
            ar.Write(defaultTrackRecord.data(), static_cast<UINT>(defaultTrackRecord.size()));
    }
    ar << 0 << 1 << 0 << 0 << 0 << 0xFFFFFF << 0 << 0;
    for (int i = 0; i < 5; ++i) ar << 0;
    for (int i = 0; i < 8; ++i) ar << static_cast<BYTE>(0);
    ar << CString('\0', 32);
    ar << 0 << 0 << 0 << 30 << 0 << 1.0 << 10.0 << 0.1 << 10.0 << 0xF5 << 500.0;
    if (version >= 4)
        ar << 6;
    if (version >= 13)
        ar << 1;
    // An empty root group: the common part of that version, the group part, no members.
    for (int i = 0; i < 6; ++i) ar << CString("x");
    ar << 0.0 << 1 << 1.0 << CString("note");
    for (int i = 0; i < 18; ++i) ar << 1;
    for (int i = 0; i < 11; ++i) ar << 0.0;
    ar << 1 << 0;
    if (version >= 2)
        ar << CString();
    ar.WriteCount(0);
    ar << 0.0 << 0.0 << 1 << 1 << 0 << 1 << 1;
    ar.WriteCount(0);
    ar.Close();
    return file.Detach();
}
