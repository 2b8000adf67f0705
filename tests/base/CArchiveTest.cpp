#include "platform/base/CArchive.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/base/CArchiveException.h"
#include "platform/base/CFile.h"
#include "platform/base/CMemFile.h"
#include "tests/base/ArchiveTestObjects.h"
#include "tests/support/TestFolder.h"

namespace {

Bytes Slice(const Bytes& bytes, size_t first, size_t count) {
    return Bytes(bytes.begin() + static_cast<long>(first), bytes.begin() + static_cast<long>(first + count));
}

// A root node holding a point, a null, a nested node with one point, and a second point.
std::unique_ptr<CTestNode> SampleTree() {
    auto root = std::make_unique<CTestNode>();
    root->m_name = "root";
    root->m_value = 2.5;
    auto* first = new CTestPoint;
    first->m_x = 7;
    root->m_children.AddTail(first);
    root->m_children.AddTail(nullptr);
    auto* inner = new CTestNode;
    inner->m_name = "inner";
    auto* deep = new CTestPoint;
    deep->m_x = -3;
    inner->m_children.AddTail(deep);
    root->m_children.AddTail(inner);
    auto* last = new CTestPoint;
    last->m_x = 9;
    root->m_children.AddTail(last);
    return root;
}

}  // namespace

TEST(CArchive, ValuesAreLittleEndian) {
    Bytes bytes = Store([](CArchive& ar) {
        ar << static_cast<BYTE>(0xAB) << static_cast<WORD>(0x1234) << -2 << static_cast<DWORD>(0xDEADBEEF)
           << 1.5f << 1.0;
    });
    Bytes expected = {0xAB, 0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 0xEF, 0xBE, 0xAD, 0xDE, 0x00,
                      0x00, 0xC0, 0x3F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF0, 0x3F};
    EXPECT_EQ(bytes, expected);

    Loader in(bytes);
    BYTE b = 0;
    WORD w = 0;
    int i = 0;
    DWORD d = 0;
    float f = 0;
    double x = 0;
    in.ar >> b >> w >> i >> d >> f >> x;
    EXPECT_EQ(b, 0xAB);
    EXPECT_EQ(w, 0x1234);
    EXPECT_EQ(i, -2);
    EXPECT_EQ(d, 0xDEADBEEFu);
    EXPECT_EQ(f, 1.5f);
    EXPECT_EQ(x, 1.0);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(ArchiveFailure([&] { in.ar >> b; }), CArchiveException::endOfFile);
}

TEST(CArchive, StringLengthPrefixes) {
    struct Case {
        int length;
        Bytes prefix;
    };
    const Case cases[] = {
        {0, {0x00}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {65533, {0xFF, 0xFD, 0xFF}},
        {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {65535, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const Case& c : cases) {
        CString text;
        for (int i = 0; i < c.length; ++i) {
            text += static_cast<char>('a' + i % 26);
        }
        Bytes bytes = Store([&](CArchive& ar) { ar << text; });
        ASSERT_EQ(bytes.size(), c.prefix.size() + static_cast<size_t>(c.length)) << c.length;
        EXPECT_EQ(Slice(bytes, 0, c.prefix.size()), c.prefix) << c.length;
        EXPECT_EQ(bytes.back(), c.length ? static_cast<BYTE>('a' + (c.length - 1) % 26) : 0x00) << c.length;

        Loader in(bytes);
        CString read = "stale";
        in.ar >> read;
        EXPECT_EQ(read, text) << c.length;
        EXPECT_TRUE(in.AtEnd());
    }

    // Bytes above 0x7F and zero bytes are kept as they are.
    CString degrees("90\xB0\0x", 5);
    Loader in(Store([&](CArchive& ar) { ar << degrees; }));
    CString read;
    in.ar >> read;
    EXPECT_EQ(read, degrees);
}

TEST(CArchive, CountEncoding) {
    const std::pair<DWORD, Bytes> cases[] = {
        {0, {0x00, 0x00}},
        {65534, {0xFE, 0xFF}},
        {65535, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const auto& [count, expected] : cases) {
        Bytes bytes = Store([&](CArchive& ar) { ar.WriteCount(count); });
        EXPECT_EQ(bytes, expected) << count;
        Loader in(bytes);
        EXPECT_EQ(in.ar.ReadCount(), count);
    }
}

TEST(CArchive, ObjectRecordsNameEachClassOnce) {
    CTestPoint first, second;
    first.m_x = 5;
    second.m_x = 6;
    CTestEmpty empty;
    Bytes bytes = Store([&](CArchive& ar) {
        ar << &first << &second << static_cast<const CObject*>(nullptr) << &empty;
        ar.WriteObject(&first);  // written before: a reference to object 2
    });
    ByteWriter expected;
    expected.NewClass(1, "CTestPoint").Dword(5);  // class 1, object 2
    expected.Word(0x8001).Dword(6);               // object 3
    expected.Word(0x0000);
    expected.NewClass(1, "CTestEmpty");  // class 4, object 5
    expected.Word(0x0002);
    EXPECT_EQ(bytes, expected.bytes);

    Loader in(bytes);
    std::unique_ptr<CObject> a(in.ar.ReadObject(RUNTIME_CLASS(CTestPoint)));
    CObject* raw = nullptr;
    in.ar >> raw;
    std::unique_ptr<CObject> b(raw);
    EXPECT_EQ(in.ar.ReadObject(nullptr), nullptr);
    std::unique_ptr<CObject> c(in.ar.ReadObject(nullptr));
    CObject* again = in.ar.ReadObject(RUNTIME_CLASS(CTestPoint));
    EXPECT_EQ(static_cast<CTestPoint*>(a.get())->m_x, 5);
    EXPECT_EQ(static_cast<CTestPoint*>(b.get())->m_x, 6);
    EXPECT_TRUE(c->IsKindOf(RUNTIME_CLASS(CTestEmpty)));
    EXPECT_EQ(again, a.get());
    EXPECT_TRUE(in.AtEnd());
}

TEST(CArchive, NestedObjectsRoundTrip) {
    auto tree = SampleTree();
    Bytes bytes = Store([&](CArchive& ar) { ar << tree.get(); });
    Loader in(bytes);
    std::unique_ptr<CObject> read(in.ar.ReadObject(RUNTIME_CLASS(CTestNode)));
    auto* root = static_cast<CTestNode*>(read.get());
    EXPECT_EQ(root->m_name, "root");
    EXPECT_EQ(root->m_value, 2.5);
    ASSERT_EQ(root->m_children.GetCount(), 4);
    POSITION pos = root->m_children.GetHeadPosition();
    EXPECT_EQ(static_cast<CTestPoint*>(root->m_children.GetNext(pos))->m_x, 7);
    EXPECT_EQ(root->m_children.GetNext(pos), nullptr);
    auto* inner = static_cast<CTestNode*>(root->m_children.GetNext(pos));
    EXPECT_EQ(inner->m_name, "inner");
    EXPECT_EQ(static_cast<CTestPoint*>(inner->m_children.GetHead())->m_x, -3);
    EXPECT_EQ(static_cast<CTestPoint*>(root->m_children.GetNext(pos))->m_x, 9);
    EXPECT_TRUE(in.AtEnd());

    // Stored again, the copy gives the same bytes.
    EXPECT_EQ(Store([&](CArchive& ar) { ar << root; }), bytes);
}

TEST(CArchive, LongIndexFormsBeyond7FFE) {
    // Class 1 and objects 2 .. 0x8000: the last of them needs the long form.
    std::vector<CTestEmpty> objects(0x7FFF);
    CTestPoint point;
    point.m_x = 1;
    Bytes bytes = Store([&](CArchive& ar) {
        for (const CTestEmpty& object : objects) {
            ar << &object;
        }
        ar << &objects[0] << &objects.back();
        ar << &point << &point;  // class 0x8001, object 0x8002
        CTestPoint other;
        ar << &other;
    });
    ByteWriter tail;
    tail.Word(0x0002);
    tail.Word(0x7FFF).Dword(0x8000);
    tail.NewClass(1, "CTestPoint").Dword(1);
    tail.Word(0x7FFF).Dword(0x8002);
    tail.Word(0x7FFF).Dword(0x80008001).Dword(0);
    ASSERT_GT(bytes.size(), tail.bytes.size());
    EXPECT_EQ(Slice(bytes, bytes.size() - tail.bytes.size(), tail.bytes.size()), tail.bytes);

    Loader in(bytes);
    std::vector<std::unique_ptr<CObject>> read;
    for (size_t i = 0; i < objects.size(); ++i) {
        read.emplace_back(in.ar.ReadObject(RUNTIME_CLASS(CTestEmpty)));
    }
    EXPECT_EQ(in.ar.ReadObject(nullptr), read.front().get());
    EXPECT_EQ(in.ar.ReadObject(nullptr), read.back().get());
    std::unique_ptr<CObject> readPoint(in.ar.ReadObject(RUNTIME_CLASS(CTestPoint)));
    EXPECT_EQ(in.ar.ReadObject(nullptr), readPoint.get());
    std::unique_ptr<CObject> readOther(in.ar.ReadObject(RUNTIME_CLASS(CTestPoint)));
    EXPECT_TRUE(in.AtEnd());
}

TEST(CArchive, HandMadeReferencesAndLongForms) {
    ByteWriter stream;
    stream.NewClass(1, "CTestPoint").Dword(11);       // class 1, object 2
    stream.Word(0x7FFF).Dword(0x80000001).Dword(12);  // class 1 in the long form: object 3
    stream.Word(0x0003);                              // object 3 again
    stream.Word(0x7FFF).Dword(0x00000002);            // object 2 in the long form
    stream.Word(0x7FFF).Dword(0);                     // null in the long form
    Loader in(stream.bytes);
    std::unique_ptr<CObject> first(in.ar.ReadObject(nullptr));
    std::unique_ptr<CObject> second(in.ar.ReadObject(RUNTIME_CLASS(CTestPoint)));
    EXPECT_EQ(static_cast<CTestPoint*>(first.get())->m_x, 11);
    EXPECT_EQ(static_cast<CTestPoint*>(second.get())->m_x, 12);
    EXPECT_EQ(in.ar.ReadObject(RUNTIME_CLASS(CTestPoint)), second.get());
    EXPECT_EQ(in.ar.ReadObject(nullptr), first.get());
    EXPECT_EQ(in.ar.ReadObject(nullptr), nullptr);
    EXPECT_TRUE(in.AtEnd());
}

TEST(CArchive, AnObjectLetGoCannotBeReferredToAgain) {
    // The sample tree, then references to its first point, to the nested node's point and to
    // the nested node.
    auto tree = SampleTree();
    Bytes bytes = Store([&](CArchive& ar) {
        ar << tree.get();
        POSITION pos = tree->m_children.GetHeadPosition();
        const CObject* first = tree->m_children.GetNext(pos);
        tree->m_children.GetNext(pos);
        const auto* inner = static_cast<const CTestNode*>(tree->m_children.GetNext(pos));
        ar << first << inner->m_children.GetHead() << inner;
    });
    for (const bool letGo : {false, true}) {
        SCOPED_TRACE(letGo);
        Loader in(bytes);
        std::unique_ptr<CObject> read(in.ar.ReadObject(RUNTIME_CLASS(CTestNode)));
        auto* root = static_cast<CTestNode*>(read.get());
        POSITION pos = root->m_children.GetHeadPosition();
        CObject* first = root->m_children.GetNext(pos);
        root->m_children.GetNext(pos);
        auto* inner = static_cast<CTestNode*>(root->m_children.GetNext(pos));
        if (letGo)
            in.ar.ForgetLoadedObject(inner);
        EXPECT_EQ(in.ar.ReadObject(nullptr), first);
        // The node's point went with it.
        if (letGo) {
            EXPECT_EQ(ArchiveFailure([&] { in.ar.ReadObject(nullptr); }), CArchiveException::badIndex);
            continue;
        }
        EXPECT_EQ(in.ar.ReadObject(nullptr), inner->m_children.GetHead());
        EXPECT_EQ(in.ar.ReadObject(nullptr), inner);
    }
}

TEST(CArchive, BadRecordsFailWithTheirCause) {
    auto failure = [](const ByteWriter& stream, const CRuntimeClass* expected = nullptr) {
        Loader in(stream.bytes);
        return ArchiveFailure([&] {
            for (;;) {
                std::unique_ptr<CObject> object(in.ar.ReadObject(expected));
            }
        });
    };
    EXPECT_EQ(failure(ByteWriter().NewClass(1, "CNoSuchClass").Dword(0)), CArchiveException::badClass);
    EXPECT_EQ(failure(ByteWriter().NewClass(1, std::string("CTestPoint\0", 11)).Dword(0)),
              CArchiveException::badClass);
    EXPECT_EQ(failure(ByteWriter().NewClass(2, "CTestPoint").Dword(0)), CArchiveException::badSchema);
    EXPECT_EQ(failure(ByteWriter().NewClass(1, "CTestPoint").Dword(0), RUNTIME_CLASS(CTestNode)),
              CArchiveException::badClass);
    // A reference to an object of the wrong kind.
    Loader wrongKind(ByteWriter().NewClass(1, "CTestEmpty").Word(0x0002).bytes);
    std::unique_ptr<CObject> empty(wrongKind.ar.ReadObject(nullptr));
    EXPECT_EQ(ArchiveFailure([&] { wrongKind.ar.ReadObject(RUNTIME_CLASS(CTestPoint)); }),
              CArchiveException::badClass);
    // Class 5 was never named; index 1 is a class, not an object; index 2 is an object, not a class.
    EXPECT_EQ(failure(ByteWriter().Word(0x8005)), CArchiveException::badIndex);
    EXPECT_EQ(failure(ByteWriter().NewClass(1, "CTestEmpty").Word(0x0001)), CArchiveException::badIndex);
    EXPECT_EQ(failure(ByteWriter().NewClass(1, "CTestEmpty").Word(0x8002)), CArchiveException::badIndex);
    EXPECT_EQ(failure(ByteWriter().Word(0x7FFF).Dword(0x80000000)), CArchiveException::badIndex);
    EXPECT_EQ(failure(ByteWriter().Word(0x7FFF).Dword(0x7FFFFFFF)), CArchiveException::badIndex);
    // A node whose member list refers to the node itself: freed, not kept.
    ByteWriter selfReference;
    selfReference.NewClass(2, "CTestNode").Byte(0).Double(0).Word(2).NewClass(1, "CTestPoint").Dword(1);
    selfReference.Word(0x0002);
    EXPECT_EQ(failure(selfReference), CArchiveException::badIndex);
    // A class that stores nothing can never be read back, so it is never written.
    EXPECT_EQ(ArchiveFailure([] { Store([](CArchive& ar) { ar.WriteClass(RUNTIME_CLASS(CObject)); }); }),
              CArchiveException::badClass);
}

TEST(CArchive, EveryTruncatedStreamFailsCleanly) {
    auto tree = SampleTree();
    Bytes bytes = Store([&](CArchive& ar) { ar << tree.get(); });
    for (size_t length = 0; length < bytes.size(); ++length) {
        Loader in(Slice(bytes, 0, length));
        int cause = ArchiveFailure([&] { delete in.ar.ReadObject(RUNTIME_CLASS(CTestNode)); });
        EXPECT_EQ(cause, CArchiveException::endOfFile) << "prefix of " << length << " bytes";
    }
}

TEST(CArchive, HugeCountsAndLengthsFailBeforeAllocating) {
    ByteWriter hugeString;
    hugeString.Byte(0xFF).Word(0xFFFF).Dword(0xFFFFFFF0).Text("abc");
    Loader strings(hugeString.bytes);
    CString text = "kept";
    EXPECT_EQ(ArchiveFailure([&] { strings.ar >> text; }), CArchiveException::endOfFile);
    EXPECT_EQ(text, "kept");

    ByteWriter hugeList;
    hugeList.Word(0xFFFF).Dword(0x7FFFFFFF).Word(0);
    Loader lists(hugeList.bytes);
    CObList list;
    EXPECT_EQ(ArchiveFailure([&] { list.Serialize(lists.ar); }), CArchiveException::endOfFile);
    EXPECT_TRUE(list.IsEmpty());

    ByteWriter hugeName;
    hugeName.Word(0xFFFF).Word(1).Word(0xFFFF).Text("CTest");
    Loader names(hugeName.bytes);
    EXPECT_EQ(ArchiveFailure([&] { names.ar.ReadObject(nullptr); }), CArchiveException::endOfFile);
}

TEST(CArchive, WrongDirectionAndMessages) {
    CMemFile file;
    CArchive storing(&file, CArchive::store);
    int value = 0;
    EXPECT_EQ(ArchiveFailure([&] { storing >> value; }), CArchiveException::writeOnly);
    EXPECT_TRUE(storing.IsStoring());
    CArchive loading(&file, CArchive::load);
    EXPECT_EQ(ArchiveFailure([&] { loading << value; }), CArchiveException::readOnly);
    EXPECT_TRUE(loading.IsLoading());
    EXPECT_EQ(loading.m_pDocument, nullptr);

    CArchiveException badClass(CArchiveException::badClass, "/layouts/Yard.cvn");
    EXPECT_EQ(
        badClass.GetErrorMessage(),
        "The file \"/layouts/Yard.cvn\" has an unexpected file format: it holds an object of an unknown "
        "or unexpected kind.");
    EXPECT_EQ(CArchiveException(CArchiveException::endOfFile).GetErrorMessage(),
              "The file ends unexpectedly; it is incomplete or damaged.");
    EXPECT_TRUE(badClass.IsKindOf(RUNTIME_CLASS(CException)));
}

// The archive's own buffer is invisible in the file: values and long strings crossing its
// edges come back whole, the file holds exactly what was written, the bytes left are counted
// from what was handed out, and a closed reader leaves the file just after what it read.
TEST(CArchive, ItsBufferIsInvisibleInTheFile) {
    TestFolder folder;
    const std::string path = (folder / "values.bin").string();
    const CString longText(static_cast<char>('x'), 200000);
    ULONGLONG written = 0;
    {
        CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store);
        for (int i = 0; i < 30000; ++i) ar << i << static_cast<double>(i) / 3.0;
        ar << longText << static_cast<BYTE>(7) << 12345;
        ar.Close();
        file.Close();
        written = 30000 * 12 + 1 + 2 + 4 + 200000 + 1 + 4;
    }
    CFile file(path.c_str(), CFile::modeRead);
    EXPECT_EQ(file.GetLength(), written);
    CArchive ar(&file, CArchive::load);
    EXPECT_EQ(ar.BytesRemaining(), written);
    for (int i = 0; i < 30000; ++i) {
        int value = 0;
        double third = 0.0;
        ar >> value >> third;
        ASSERT_EQ(value, i);
        ASSERT_EQ(third, static_cast<double>(i) / 3.0);
    }
    CString text;
    BYTE seven = 0;
    ar >> text >> seven;
    EXPECT_EQ(text, longText);
    EXPECT_EQ(seven, 7);
    EXPECT_EQ(ar.BytesRemaining(), 4u);
    ar.Close();
    EXPECT_EQ(file.GetPosition(), written - 4);
}
