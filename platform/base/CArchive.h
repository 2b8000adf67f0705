#pragma once

#include <map>
#include <vector>

#include "platform/base/CObject.h"
#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"

class CFile;
class CDocument;

// A stream of values and class-tagged object records over a file, in the layout files'
// encoding: little-endian integers, IEEE reals, length-prefixed strings, 16-bit counts with
// a 32-bit escape, and object records that name each class once. A reader checks every
// count and length against what is left in the file before it allocates; failures throw
// CArchiveException or CFileException.
//
// The archive keeps its own buffer, so that the file sees large reads and writes: a storing
// archive reaches the file at Flush or Close (an archive destroyed without them writes
// nothing more), and a loading one reads ahead and measures the file once; its Close puts
// the file back just after what was read.
class CArchive {
  public:
    enum Mode { store = 0, load = 1 };

    CArchive(CFile* file, UINT mode);
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;
    ~CArchive() = default;

    BOOL IsLoading() const { return m_loading ? TRUE : FALSE; }
    BOOL IsStoring() const { return m_loading ? FALSE : TRUE; }
    CFile* GetFile() const { return m_file; }
    // Pushes what was written into the file.
    void Flush();
    // Flushes and lets go of the file; the archive cannot be used afterwards.
    void Close();

    CDocument* m_pDocument = nullptr;

    // Raw bytes.
    void Write(const void* buffer, UINT count);
    // Reads exactly count bytes or throws CArchiveException::endOfFile.
    void Read(void* buffer, UINT count);
    // Bytes left to read in the underlying file.
    ULONGLONG BytesRemaining() const;
    // Throws CArchiveException::endOfFile unless at least `needed` bytes are left; readers
    // call it with the least size a count of elements can take before allocating them.
    void CheckRemaining(ULONGLONG needed) const;

    CArchive& operator<<(BYTE value);
    CArchive& operator<<(WORD value);
    CArchive& operator<<(int value);
    CArchive& operator<<(DWORD value);
    CArchive& operator<<(float value);
    CArchive& operator<<(double value);
    CArchive& operator<<(const CString& value);
    CArchive& operator<<(const CObject* object);

    CArchive& operator>>(BYTE& value);
    CArchive& operator>>(WORD& value);
    CArchive& operator>>(int& value);
    CArchive& operator>>(DWORD& value);
    CArchive& operator>>(float& value);
    CArchive& operator>>(double& value);
    CArchive& operator>>(CString& value);
    // Reads any object record; the object must be of a creatable class.
    CArchive& operator>>(CObject*& object);

    void WriteCount(DWORD count);
    DWORD ReadCount();

    // Writes an object record: the class tag, then the object's fields. An object written
    // before in this archive is written as a reference to it.
    void WriteObject(const CObject* object);
    // Reads an object record; with an expected class, an object of another kind throws
    // CArchiveException::badClass. A new object belongs to the caller; an object that fails
    // half-way through its fields is deleted before the exception leaves.
    CObject* ReadObject(const CRuntimeClass* expected);
    // Loading: the reader let go of an object it read, and of its parts read after it; a later
    // reference to any of them throws CArchiveException::badIndex. Call it right after
    // ReadObject returned the object: every object read after it is taken for one of its parts.
    void ForgetLoadedObject(const CObject* object);

    void WriteClass(const CRuntimeClass* runtimeClass);
    // Reads a class tag; the schema in the stream must equal the class's (badSchema).
    // Answers null for the null tag.
    const CRuntimeClass* ReadClass(const CRuntimeClass* expected = nullptr);

  private:
    struct Tag {
        enum Kind { null, newClass, knownClass, knownObject } kind;
        DWORD index;
    };
    // Loading: by index, the class or the object met so far.
    struct LoadedEntry {
        const CRuntimeClass* runtimeClass = nullptr;
        CObject* object = nullptr;
        bool beingRead = false;
    };

    [[noreturn]] void Fail(int cause) const;
    void CheckDirection(bool loading) const;
    void WriteWord(WORD value);
    void WriteDword(DWORD value);
    WORD ReadWord();
    DWORD ReadDword();
    DWORD ReadStringLength();

    Tag ReadTag();
    const CRuntimeClass* ReadNewClass();
    const CRuntimeClass* LoadedClass(DWORD index) const;
    CObject* LoadedObject(DWORD index) const;
    const CRuntimeClass* ClassOfTag(const Tag& tag);
    CObject* ReadNewObject(const CRuntimeClass* runtimeClass);
    // Loading: the objects from index on are gone; a later reference to one throws badIndex.
    void ForgetLoadedFrom(size_t index);
    DWORD TakeNextIndex();
    void WriteIndexTag(DWORD index, bool isClass);

    // Loading: fills the buffer from the file; false at the end of the file.
    bool Refill();
    void WriteBuffer();
    ULONGLONG UnreadInFile() const;

    CFile* m_file;
    bool m_loading;
    std::vector<BYTE> m_buffer;
    // The next byte to hand out or to fill, and (loading) the end of the bytes read.
    size_t m_at = 0;
    size_t m_end = 0;
    // Loading: the file's length and where the buffer's next fill starts, once measured.
    mutable bool m_measured = false;
    mutable ULONGLONG m_fileLength = 0;
    mutable ULONGLONG m_filePosition = 0;
    // Storing: classes and objects already written, with their index.
    std::map<const void*, DWORD> m_storedIndex;
    // Index 0 is the null object.
    std::vector<LoadedEntry> m_loaded;
    DWORD m_nextIndex = 1;
};
