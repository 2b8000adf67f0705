#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/base/CArchive.h"
#include "platform/base/CArchiveException.h"
#include "platform/base/CMemFile.h"
#include "platform/base/CObList.h"
#include "platform/base/CObject.h"

// Small serializable classes and byte helpers shared by the archive and collection tests.

class CTestPoint : public CObject {
    DECLARE_SERIAL(CTestPoint)

  public:
    void Serialize(CArchive& ar) override;
    int m_x = 0;
};

// Owns its children, like a group owns its members.
class CTestNode : public CObject {
    DECLARE_SERIAL(CTestNode)

  public:
    ~CTestNode() override;
    void Serialize(CArchive& ar) override;
    CString m_name;
    double m_value = 0.0;
    CObList m_children;
};

// Stores nothing: each record is only its tag, which keeps long streams short.
class CTestEmpty : public CObject {
    DECLARE_SERIAL(CTestEmpty)
};

using Bytes = std::vector<BYTE>;

// Appends little-endian values to a hand-made stream.
class ByteWriter {
  public:
    ByteWriter& Byte(BYTE value);
    ByteWriter& Word(WORD value);
    ByteWriter& Dword(DWORD value);
    ByteWriter& Double(double value);
    ByteWriter& Text(const std::string& text);  // the characters only, no length
    ByteWriter& NewClass(WORD schema, const std::string& name);
    Bytes bytes;
};

// Runs the writer on a storing archive over a memory file and answers the bytes written.
template <class Writer>
Bytes Store(Writer write) {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    write(ar);
    ar.Close();
    return file.Detach();
}

// A loading archive over the given bytes.
class Loader {
  public:
    explicit Loader(const Bytes& bytes) : file(bytes.data(), static_cast<UINT>(bytes.size())) {}
    bool AtEnd() const { return ar.BytesRemaining() == 0; }
    CMemFile file;
    CArchive ar{&file, CArchive::load};
};

// The cause of the archive exception the action throws; -1 when it throws none.
template <class Action>
int ArchiveFailure(Action action) {
    try {
        action();
    } catch (const CArchiveException& e) {
        return e.m_cause;
    }
    return -1;
}
