#include "tests/model/OlderLayoutFileRecords.h"

#include <functional>
#include <map>

namespace {

constexpr int kVersionPatternFile = 2;
constexpr int kVersionCameraHeight = 3;
constexpr int kVersionOutlinePoints = 7;
constexpr int kVersionTunnel = 8;
constexpr int kVersionTextureScale = 9;
constexpr int kVersionAllowConform = 10;
constexpr int kVersionBenchworkSwitch = 11;
constexpr int kVersionTunnelFlag = 12;
constexpr int kVersionRailWidth = 15;
constexpr int kVersionTieWidth = 16;
constexpr int kVersionExclude = 17;

struct ClassRecord {
    int schema;
    // Points in the array of a version-7 file; the outline classes repeat the first of them.
    int points;
    bool repeatsOutline;
    std::function<void(OlderLayoutFileWriter&, int)> writeOwnFields;
};

std::string Numbered(const char* text, int number) {
    return std::string(text) + " " + std::to_string(number);
}

void WriteDoubles(OlderLayoutFileWriter& out, int number, int firstField, int count) {
    for (int field = firstField; field < firstField + count; ++field) out.Double(OlderValue(number, field));
}

void WritePoints(OlderLayoutFileWriter& out, int number, std::initializer_list<int> order) {
    for (int index : order) out.Point(OlderPoint(number, index));
}

void WriteFont(OlderLayoutFileWriter& out, int number) {
    out.FontRecord(-OlderInt(number, 29), 700, 1, "Arial");
}

void WriteSketchFields(OlderLayoutFileWriter& out, int number) {
    out.Double(-OlderValue(number, 20));
    out.Double(-OlderValue(number, 21));
    out.Double(OlderValue(number, 22));
    out.Double(OlderValue(number, 23));
}

void WritePolygonFields(OlderLayoutFileWriter& out, int number) {
    WriteSketchFields(out, number);
    out.Double(OlderValue(number, 24));
}

void WriteBenchworkFields(OlderLayoutFileWriter& out, int number) {
    WritePolygonFields(out, number);
    out.String(Numbered("Bench", number) + ".bmp");
    WriteDoubles(out, number, 25, 2);
    if (out.Version() >= kVersionBenchworkSwitch)
        out.Int(0);
}

void WriteTerrainFields(OlderLayoutFileWriter& out, int number) {
    WriteBenchworkFields(out, number);
    out.Double(OlderValue(number, 27));
    out.Double(0.5);
    out.Int(2);
    out.Int(OlderInt(number, 28));
    if (out.Version() >= kVersionTextureScale)
        out.Double(4.0);
    if (out.Version() >= kVersionAllowConform)
        out.Int(0);
    if (out.Version() >= kVersionBenchworkSwitch)
        out.Int(0);
    // Two raises at the middle of the outline.
    out.Int(2);
    for (float change : {25.0f, 50.0f}) {
        for (float value : {0.0f, 0.0f, change, 300.0f}) out.Float(value);
        out.Int(1);
    }
}

void WriteTrackPart(OlderLayoutFileWriter& out, int number) {
    if (out.Version() >= kVersionTieWidth)
        out.Int(3);
    if (out.Version() >= kVersionRailWidth)
        out.Int(2);
    WriteDoubles(out, number, 30, 5);
    out.Int(1);
    out.Int(1);
    out.Int(3);
    out.Int(OlderInt(number, 35));
    out.Int(OlderInt(number, 36));
    out.Double(OlderValue(number, 37));
    out.Int(1);
    out.Int(0);
    WriteDoubles(out, number, 38, 10);
    out.String(Numbered("Roadbed", number) + ".bmp");
    out.String(Numbered("Rails", number) + ".bmp");
    out.Int(1);
    out.Double(OlderValue(number, 48));
    if (out.Version() < kVersionTunnel)
        return;
    out.Double(OlderValue(number, 49));
    out.Double(OlderValue(number, 90));
    out.String(Numbered("Tunnel", number) + ".bmp");
    if (out.Version() < kVersionTunnelFlag)
        return;
    out.Int(1);
    out.String(Numbered("Tunnel", number) + ".bmp");
}

void Write3DFields(OlderLayoutFileWriter& out, int number) {
    out.String(Numbered("Model", number) + ".3ds");
    out.String(Numbered("Skin", number) + ".bmp");
    WriteDoubles(out, number, 20, 2);
    for (int flag = 0; flag < 3; ++flag) out.Int(1);
    for (int element = 0; element < 16; ++element) out.Float(static_cast<float>(number) + 0.25f * element);
    if (out.Version() >= kVersionExclude)
        out.Int(1);
}

void WriteGroupFields(OlderLayoutFileWriter& out, int number) {
    WriteDoubles(out, number, 20, 2);
    for (int flag = 0; flag < 5; ++flag) out.Int(1);
    out.Count(1);
    WriteOlderObject(out, "CLine", 100 + number);
}

const std::map<std::string, ClassRecord>& ClassRecords() {
    using Out = OlderLayoutFileWriter;
    static const std::map<std::string, ClassRecord> records = {
        {"CLine", {2, 3, false, [](Out& out, int n) { WriteDoubles(out, n, 20, 4); }}},
        {"CBox", {2, 5, false, [](Out&, int) {}}},
        {"CRoundBox", {3, 13, false, [](Out& out, int n) { WriteDoubles(out, n, 20, 5); }}},
        {"CArc",
         {2, 7, false,
          [](Out& out, int n) {
              WriteDoubles(out, n, 20, 4);
              out.Double(OlderAngle(n, 24));
              out.Double(OlderAngle(n, 25));
              out.Int(1);
          }}},
        {"CSketch", {2, 9, false, WriteSketchFields}},
        {"CPolygon", {3, 9, false, WritePolygonFields}},
        {"CSpline", {2, 9, false, [](Out& out, int n) { WriteDoubles(out, n, 20, 5); }}},
        {"CTextBox",
         {1, 5, true,
          [](Out& out, int n) {
              WritePoints(out, n, {2, 3, 4, 1, 0});
              out.Int(1);
              out.Int(1);
              out.String(Numbered("Text", n));
              out.Int(OlderInt(n, 20));
              WriteFont(out, n);
          }}},
        {"CBMP",
         {2, 5, true,
          [](Out& out, int n) {
              out.String(Numbered("Picture", n) + ".bmp");
              WritePoints(out, n, {4, 1, 2, 3, 0});
          }}},
        {"CLineMeasure",
         {2, 6, true,
          [](Out& out, int n) {
              WritePoints(out, n, {1, 2});
              WriteFont(out, n);
          }}},
        {"CBoxMeasure",
         {2, 5, true,
          [](Out& out, int n) {
              WritePoints(out, n, {1, 2, 3, 4});
              WriteFont(out, n);
          }}},
        {"CSizeLine",
         {2, 5, true,
          [](Out& out, int n) {
              WritePoints(out, n, {1, 2, 3, 4});
              WriteFont(out, n);
          }}},
        {"CSizeAngle",
         {2, 5, true,
          [](Out& out, int n) {
              WritePoints(out, n, {1, 2, 3, 4, 0});
              WriteFont(out, n);
          }}},
        {"CTrack",
         {3, 9, false,
          [](Out& out, int n) {
              WriteTrackPart(out, n);
              WriteDoubles(out, n, 20, 4);
          }}},
        {"CArcTrack",
         {3, 7, false,
          [](Out& out, int n) {
              WriteTrackPart(out, n);
              WriteDoubles(out, n, 20, 4);
              out.Double(OlderAngle(n, 24));
              out.Double(OlderAngle(n, 25));
          }}},
        {"CCircTrack",
         {3, 7, false,
          [](Out& out, int n) {
              WriteTrackPart(out, n);
              WriteDoubles(out, n, 20, 3);
              out.Double(OlderAngle(n, 23));
              out.Double(OlderAngle(n, 24));
          }}},
        {"CSplineTrack",
         {3, 9, false,
          [](Out& out, int n) {
              WriteTrackPart(out, n);
              WriteDoubles(out, n, 20, 4);
          }}},
        {"CSprite",
         {1, 5, true,
          [](Out& out, int n) {
              out.String(Numbered("Tree", n) + ".bmp");
              out.String(Numbered("Tree", n) + ".msk");
              out.Double(OlderValue(n, 20));
              WritePoints(out, n, {4, 1, 2, 3, 0});
              for (int flag = 0; flag < 3; ++flag) out.Int(1);
          }}},
        {"C3D", {1, 5, false, Write3DFields}},
        {"CCamera",
         {2, 7, true,
          [](Out& out, int n) {
              WritePoints(out, n, {1, 2, 3, 4, 5, 0});
              out.Int(OlderInt(n, 20));
              out.Int(OlderInt(n, 21));
              WriteFont(out, n);
              if (out.Version() >= kVersionCameraHeight)
                  out.Double(OlderValue(n, 22));
          }}},
        {"CBenchwork", {4, 9, false, WriteBenchworkFields}},
        {"CMount", {4, 9, false, WriteTerrainFields}},
        {"CGroup", {2, 5, false, WriteGroupFields}},
    };
    return records;
}

bool IsSketch(const std::string& className) {
    return className == "CSketch" || className == "CPolygon" || className == "CBenchwork" ||
           className == "CMount";
}

// The array as the file holds it. Sketches draw the corners of their reference box; a 3D object
// before version 7 keeps its corners at points 5 to 8.
std::vector<CDoublePoint> PointArrayOf(const std::string& className, int number, int version) {
    std::vector<CDoublePoint> points;
    if (version < kVersionOutlinePoints && ClassRecords().at(className).repeatsOutline) {
        for (int index : {10, 11}) points.push_back(OlderPoint(number, index));
        return points;
    }
    const int count = OlderPointCount(className, version);
    for (int index = 0; index < count; ++index) points.push_back(OlderPoint(number, index));
    if (IsSketch(className)) {
        const double left = -OlderValue(number, 20), top = -OlderValue(number, 21);
        const double right = OlderValue(number, 22), bottom = OlderValue(number, 23);
        points[5] = {left, top};
        points[6] = {right, top};
        points[7] = {right, bottom};
        points[8] = {left, bottom};
    }
    return points;
}

}  // namespace

std::string OlderName(int number) {
    return Numbered("Name", number);
}

int OlderPointCount(const std::string& className, int version) {
    const ClassRecord& record = ClassRecords().at(className);
    if (version >= kVersionOutlinePoints)
        return record.points;
    if (record.repeatsOutline)
        return 2;
    return className == "C3D" ? 9 : record.points;
}

void WriteOlderCommonPart(OlderLayoutFileWriter& out, int number, const std::vector<CDoublePoint>& points) {
    for (const char* text : {"Category", "Maker", "Scale", "Type"}) out.String(Numbered(text, number));
    out.String(OlderName(number));
    out.String(Numbered("Part", number));
    out.Double(OlderValue(number, 5));
    out.Int(1);
    out.Double(OlderValue(number, 6));
    out.String(Numbered("Note", number));
    for (int value : {1, OlderInt(number, 7), OlderInt(number, 8), 2, 3, OlderInt(number, 9)}) out.Int(value);
    for (int value : {0, 2, 2, OlderInt(number, 10), 0, OlderInt(number, 11), 3}) out.Int(value);
    for (int value : {1, 0, 0, 1, OlderLayer(number)}) out.Int(value);
    out.Double(OlderValue(number, 12));
    out.Double(OlderValue(number, 13));
    out.Double(OlderAngle(number, 14));
    for (const CDoublePoint& corner : {OlderCornerA(number), OlderCornerB(number)}) out.Point(corner);
    out.Double(-OlderValue(number, 15));
    out.Double(-OlderValue(number, 16));
    out.Double(OlderValue(number, 17));
    out.Double(OlderValue(number, 18));
    out.Int(1);
    out.Int(OlderInt(number, 19));
    if (out.Version() >= kVersionPatternFile)
        out.String("");
    out.PointArray(points);
}

void WriteOlderObject(OlderLayoutFileWriter& out, const std::string& className, int number,
                      OlderPoints points) {
    const ClassRecord& record = ClassRecords().at(className);
    out.ObjectTag(className, record.schema);
    WriteOlderCommonPart(out, number,
                         points == OlderPoints::kHeld ? PointArrayOf(className, number, out.Version())
                                                      : std::vector<CDoublePoint>{});
    record.writeOwnFields(out, number);
}

void WriteOlderTrackRecord(OlderLayoutFileWriter& out, int number) {
    std::vector<CDoublePoint> points;
    for (int index = 0; index < 3; ++index) points.push_back(OlderPoint(number, index));
    WriteOlderCommonPart(out, number, points);
    WriteTrackPart(out, number);
}

const std::vector<std::string>& OlderRecordClasses() {
    static const std::vector<std::string> classes = {
        "CGroup",    "CLine",      "CBox",     "CRoundBox",  "CArc",         "CSketch",
        "CPolygon",  "CSpline",    "CTextBox", "CBMP",       "CLineMeasure", "CBoxMeasure",
        "CSizeLine", "CSizeAngle", "CTrack",   "CArcTrack",  "CCircTrack",   "CSplineTrack",
        "CSprite",   "C3D",        "CCamera",  "CBenchwork", "CMount"};
    return classes;
}
