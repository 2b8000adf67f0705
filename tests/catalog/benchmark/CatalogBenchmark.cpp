#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "catalog/CMaterialsReportDialog.h"
#include "catalog/CPartsListDialog.h"
#include "catalog/PartsFile.h"
#include "drawing/CBox.h"
#include "drawing/DrawingObjects.h"
#include "model/CCVNDoc.h"
#include "platform/base/CWinPath.h"
#include "platform/host/HeadlessHost.h"
#include "platform/win/WindowManager.h"
#include "resources/CatalogTemplates.h"
#include "resources/Resources.h"
#include "tests/support/TestFolder.h"
#include "track/TrackPieces.h"

// The materials report of a layout of 5,000 parts (a tenth of them in groups of ten) filled,
// sorted and merged; and a parts file of 10,000 lines read, and opened in the parts list.

namespace {

constexpr int kReportParts = 5000;
constexpr int kGroupSize = 10;
constexpr int kPartsLines = 10000;

const char* const kCategories[] = {"Track", "Scenery", "Structures", "Rolling stock", "Miscellaneous"};

struct Screen {
    HeadlessHost host;
    std::unique_ptr<CCVNDoc> doc;

    Screen() {
        RegisterResources();
        RegisterTrackPieces();
        RegisterDrawingObjects();
        WindowManager::Instance().Reset();
        doc = std::make_unique<CCVNDoc>();
        doc->OnNewDocument();
    }
    ~Screen() {
        doc.reset();
        WindowManager::Instance().Reset();
    }

    CBox* Part(CGroup* group, int index) {
        auto* part = new CBox(0, &doc->m_tool, index % 100 * 200.0, index / 100 * 200.0);
        part->MoveBoxCorner(3, index % 100 * 200.0 + 100.0, index / 100 * 200.0 - 100.0, nullptr);
        part->m_strCategory = kCategories[index % 5];
        part->m_strManufacturer.Format("Maker %d", index % 37);
        part->m_strName.Format("Part %d", index % 211);
        part->m_strPartNo.Format("P%d", index % 211);
        part->m_fPrice = 0.25 * (index % 40);
        part->m_bShowInReport = 1;
        group->m_members.push_back(part);
        part->SetOwnerGroup(group);
        return part;
    }
    void BuildLayout() {
        CGroup* root = &doc->m_rootGroup;
        for (int index = 0; index < kReportParts; ++index) {
            CGroup* owner = root;
            if (index % 100 < kGroupSize) {
                if (index % 100 == 0) {
                    auto* group = new CGroup();
                    group->SetTool(&doc->m_tool);
                    group->m_strCategory = "Structures";
                    group->m_bShowInReport = 1;
                    root->m_members.push_back(group);
                    group->SetOwnerGroup(root);
                }
                owner = static_cast<CGroup*>(root->m_members.back());
            }
            Part(owner, index);
        }
    }
};

std::string PartsText() {
    std::string text;
    char line[160];
    for (int index = 0; index < kPartsLines; ++index) {
        std::snprintf(line, sizeof line, "%s;Maker %d;HO,N;Type %d;Description %d;P%d;%d;%d.%02d;Note;\r\n",
                      kCategories[index % 5], index % 37, index % 13, index % 97, index, index % 9 + 1,
                      index % 50, index % 100);
        text += line;
    }
    return text;
}

void ReportFill(benchmark::State& state, bool sorted, bool inventory) {
    Screen screen;
    screen.BuildLayout();
    CMaterialsReportDialog report(*screen.doc);
    report.CreateIndirect(MaterialsReportTemplate());
    report.GetList().m_bSort = sorted;
    if (inventory)
        report.GetList().SetInventoryView(true);
    for (auto _ : state) benchmark::DoNotOptimize(report.Rebuild());
    state.counters["rows"] = report.GetList().GetItemCount();
    report.DestroyWindow();
}

void BM_MaterialsReportFill(benchmark::State& state) {
    ReportFill(state, false, false);
}
void BM_MaterialsReportFillSorted(benchmark::State& state) {
    ReportFill(state, true, false);
}
void BM_MaterialsReportInventory(benchmark::State& state) {
    ReportFill(state, false, true);
}

void BM_ReadPartsFile(benchmark::State& state) {
    TestFolder folder;
    std::ofstream(folder / "large.cvp", std::ios::binary) << PartsText();
    CatalogueList records;
    for (auto _ : state) ReadPartsFile((folder / "large.cvp").c_str(), records, nullptr);
    state.counters["parts"] = static_cast<double>(records.size());
}

// A damaged file of 4 MB holding nothing but carriage returns: no part at all.
void BM_ReadBareLineEnds(benchmark::State& state) {
    const std::string bytes(4000000, '\r');
    for (auto _ : state) {
        CatalogueList records;
        ReadPartsRecords(bytes, records, nullptr);
        state.counters["parts"] = static_cast<double>(records.size());
    }
}

// What the parts list does when it opens a file: read it, choose the tab, fill the filter
// lists and the rows.
void BM_PartsListOpen(benchmark::State& state) {
    TestFolder folder;
    std::ofstream(folder / "large.cvp", std::ios::binary) << PartsText();
    Screen screen;
    screen.doc->m_strPartsPath = CWinPath::FromReal(folder / "large.cvp");
    screen.doc->m_strPartsFileName = "large.cvp";
    CPartsListDialog dialog(*screen.doc);
    dialog.CreateIndirect(PartsListTemplate());
    for (auto _ : state) {
        dialog.ReadPartsFile();
        dialog.FindFirstUsedTab();
        dialog.FillFilterCombos();
        dialog.FillList();
    }
    state.counters["rows"] = dialog.GetList().GetItemCount();
    dialog.DestroyWindow();
}

}  // namespace

BENCHMARK(BM_MaterialsReportFill)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MaterialsReportFillSorted)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MaterialsReportInventory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadPartsFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadBareLineEnds)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PartsListOpen)->Unit(benchmark::kMillisecond);
