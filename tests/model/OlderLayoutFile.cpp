#include "tests/model/OlderLayoutFile.h"

#include <algorithm>

#include "tests/model/OlderLayoutFileRecords.h"
#include "tests/model/OlderLayoutFileWriter.h"

namespace {

void WriteDocumentRecord(OlderLayoutFileWriter& out) {
    const int version = out.Version();
    out.Int(version);
    out.Int(3);
    for (double value : {30000.0, 20000.0, 20.0, 20.0}) out.Double(value);
    for (int value : {0, 2, 5, 2, 1, 500, 600, 0x123456}) out.Int(value);
    out.String("spare");
    out.Int(0);
    out.String("grass.bmp");
    out.Int(0);
    out.String("sky.bmp");
    if (version >= 2) {
        out.Int(0x111111);
        out.Int(1);
        out.Double(48.0);
        for (const char* text : {"C:\\lib.cvl", "lib.cvl", "C:\\p.cvp", "p.cvp"}) out.String(text);
        for (double value : {70.0, 40.0, 12.0, 0.2, 0.8}) out.Double(value);
        out.Int(0);
        out.Int(0);
    }
    if (version >= 5) {
        out.Int(0x222222);
        out.Int(7);
    }
}

void WriteEngineRecord(OlderLayoutFileWriter& out, const std::vector<BYTE>& defaultTrackRecord) {
    const int version = out.Version();
    if (version >= 14) {
        if (defaultTrackRecord.empty())
            out.NullObject();
        else
            out.ObjectRecordBytes(defaultTrackRecord);
    }
    for (int value : {0, 1, 0, 0, 0, 0xFFFFFF, 0, 0}) out.Int(value);
    out.FontRecord(0, 0, 0, "");
    for (int value : {0, 0, 0, 30, 0}) out.Int(value);
    for (double value : {1.0, 10.0, 0.1, 10.0}) out.Double(value);
    out.Int(0xF5);
    out.Double(500.0);
    if (version >= 4)
        out.Int(6);
    if (version >= 13)
        out.Int(1);
}

void WriteRootGroup(OlderLayoutFileWriter& out, const std::vector<std::string>& memberClasses,
                    const std::vector<std::string>& pointless) {
    for (int i = 0; i < 6; ++i) out.String("x");
    out.Double(0.0);
    out.Int(1);
    out.Double(1.0);
    out.String("note");
    for (int i = 0; i < 18; ++i) out.Int(1);
    for (int i = 0; i < 11; ++i) out.Double(0.0);
    out.Int(1);
    out.Int(0);
    if (out.Version() >= 2)
        out.String("");
    out.PointArray({});
    out.Double(0.0);
    out.Double(0.0);
    for (int value : {1, 1, 0, 1, 1}) out.Int(value);
    out.Count(static_cast<std::uint32_t>(memberClasses.size()));
    int number = 1;
    for (const std::string& className : memberClasses) {
        const bool held = std::find(pointless.begin(), pointless.end(), className) == pointless.end();
        WriteOlderObject(out, className, number++, held ? OlderPoints::kHeld : OlderPoints::kNone);
    }
}

}  // namespace

std::vector<BYTE> OlderLayoutFile(int version, const std::vector<BYTE>& defaultTrackRecord,
                                  const std::vector<std::string>& memberClasses) {
    OlderLayoutFileWriter out(version);
    WriteDocumentRecord(out);
    WriteEngineRecord(out, defaultTrackRecord);
    WriteRootGroup(out, memberClasses, {});
    return out.Bytes();
}

std::vector<BYTE> OlderLayoutFileWithoutPoints(int version, const std::vector<std::string>& memberClasses,
                                               const std::vector<std::string>& pointless) {
    OlderLayoutFileWriter out(version);
    WriteDocumentRecord(out);
    WriteEngineRecord(out, {});
    WriteRootGroup(out, memberClasses, pointless);
    return out.Bytes();
}

OlderLayoutFileDoubles OlderLayoutFileWithDoubles(int version, const std::vector<std::string>& memberClasses) {
    OlderLayoutFileWriter out(version);
    WriteDocumentRecord(out);
    WriteEngineRecord(out, {});
    WriteRootGroup(out, memberClasses, {});
    return {out.Bytes(), out.DoubleOffsets()};
}
