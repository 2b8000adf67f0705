#include <cstdlib>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/base/ModuleFolder.h"
#include "platform/ctl/DialogTemplate.h"
#include "platform/win/Accelerators.h"
#include "platform/win/CMenu.h"
#include "platform/win/CWinApp.h"
#include "resources/CatalogTemplates.h"
#include "resources/CommandIds.h"
#include "resources/DocumentSetupTemplate.h"
#include "resources/DrawingPropertiesTemplates.h"
#include "resources/FilePreviewTemplate.h"
#include "resources/GroupPropertiesTemplate.h"
#include "resources/LayerPropertiesTemplate.h"
#include "resources/Objects3DTemplates.h"
#include "resources/PatternEditTemplate.h"
#include "resources/PicturePropertiesTemplate.h"
#include "resources/PreferencePagesTemplates.h"
#include "resources/ProgramDialogs.h"
#include "resources/ProgramMenus.h"
#include "resources/Resources.h"
#include "resources/RotateByDegreesTemplate.h"
#include "resources/StringTable.h"
#include "resources/TerrainEditorTemplates.h"
#include "resources/TextPropertiesTemplate.h"
#include "resources/TrackPropertiesTemplates.h"
#include "resources/TrackToolTemplates.h"
#include "resources/TrainPropertiesTemplate.h"
#include "resources/WizardPageTemplates.h"
#include "shell/CHelpBook.h"
#include "shell/HelpContexts.h"
#include "shell/HelpMarkup.h"
#include "shell/ToolBarButtons.h"

// Its control ids share names with the shapes' property pages.
const DialogTemplate& ToolParametersTemplate();

namespace {

std::filesystem::path InstalledHelp() {
    return GetModuleFolder() / "help";
}

void CollectMenuCommands(const CMenu& menu, std::set<UINT>& commands) {
    for (int position = 0; position < menu.GetMenuItemCount(); ++position) {
        if (const CMenu* popup = menu.GetSubMenu(position))
            CollectMenuCommands(*popup, commands);
        else if (menu.GetMenuItemID(position) != 0)
            commands.insert(menu.GetMenuItemID(position));
    }
}

// Every command a menu entry, a toolbar button or a key can give.
std::set<UINT> ReachableCommands() {
    RegisterResources();
    std::set<UINT> commands;
    for (UINT menu : {IDR_MAINFRAME_MENU, IDR_LAYOUT_MENU, IDR_CONTEXT_MENU})
        CollectMenuCommands(*LoadMenuResource(menu), commands);
    for (const auto& bar : {MainToolBarButtons(), ToolsToolBarButtons(), CameraToolBarButtons()})
        for (UINT id : bar)
            if (id != 0)
                commands.insert(id);
    for (const ToolBarDropDown& dropDown : ToolsToolBarDropDowns())
        commands.insert(dropDown.commands.begin(), dropDown.commands.end());
    for (const ACCEL& key : LoadAccelerators(IDR_MAINFRAME)->entries) commands.insert(key.cmd);
    return commands;
}

std::vector<const DialogTemplate*> ProgramDialogTemplates() {
    RegisterResources();
    std::vector<const DialogTemplate*> templates = {FindDialogTemplate(IDD_ABOUTBOX),
                                                    FindDialogTemplate(IDD_CREDITS),
                                                    &DocumentSetupTemplate(),
                                                    &MetricPageTemplate(),
                                                    &View3DPageTemplate(),
                                                    &TrainPageTemplate(),
                                                    &OtherPageTemplate(),
                                                    &DirectoryPageTemplate(),
                                                    &ToolParametersTemplate(),
                                                    &RotateByDegreesTemplate(),
                                                    &LayerPropertiesTemplate(),
                                                    &TrackPropertiesTemplate(),
                                                    &TrackMoreTemplate(),
                                                    &ElevationsTemplate(),
                                                    &ParallelTrackTemplate(),
                                                    &TextPropertiesTemplate(),
                                                    &TwoDPropertiesTemplate(),
                                                    &Line1PageTemplate(),
                                                    &LinePageTemplate(),
                                                    &FramesPageTemplate(),
                                                    &FillPageTemplate(),
                                                    &GroupPropertiesTemplate(),
                                                    &PatternEditTemplate(),
                                                    &FilePreviewTemplate(),
                                                    &PicturePropertiesTemplate(),
                                                    &Object3DPropertiesTemplate(),
                                                    &Bitmap3DPropertiesTemplate(),
                                                    &BenchworkPageTemplate(),
                                                    &TerrainEditorTemplate(),
                                                    &TrainPropertiesTemplate(),
                                                    &PartsListTemplate(),
                                                    &EditPartsListTemplate(),
                                                    &LibraryTemplate(),
                                                    &LibraryNoticeTemplate(),
                                                    &MaterialsReportTemplate()};
    for (UINT page : {IDD_WIZARD_STRAIGHT, IDD_WIZARD_CURVED, IDD_WIZARD_TURNOUT, IDD_WIZARD_CURVED_TURNOUT,
                      IDD_WIZARD_3WAY, IDD_WIZARD_CROSSING, IDD_WIZARD_CROSSOVER, IDD_WIZARD_SLIP_SWITCH,
                      IDD_WIZARD_TURNTABLE, IDD_WIZARD_HELIX, IDD_WIZARD_SPIRAL})
        templates.push_back(&WizardPageTemplate(page));
    return templates;
}

bool IsPlainAscii(const CString& line) {
    for (int i = 0; i < line.GetLength(); ++i)
        if (static_cast<unsigned char>(line[i]) < 0x20 || static_cast<unsigned char>(line[i]) > 0x7E)
            return false;
    return true;
}

}  // namespace

TEST(HelpTopics, EveryCommandAndEveryDialogHasATopicOfTheInstalledHelp) {
    CHelpBook book;
    ASSERT_TRUE(book.Load(InstalledHelp()));
    for (UINT command : ReachableCommands()) {
        const CString topic = HelpTopicOfContext(HID_BASE_COMMAND + command);
        EXPECT_NE(book.Find(topic), nullptr) << "command " << command << " topic '" << topic.c_str() << "'";
    }
    std::set<UINT> dialogIds;
    for (const DialogTemplate* dialog : ProgramDialogTemplates()) {
        ASSERT_NE(dialog, nullptr);
        // F1 finds a dialog by its template id: two templates under one id would share a topic.
        EXPECT_TRUE(dialogIds.insert(dialog->id).second) << dialog->caption.c_str() << " " << dialog->id;
        const CString topic = HelpTopicOfContext(HID_BASE_RESOURCE + dialog->id);
        EXPECT_NE(book.Find(topic), nullptr) << dialog->caption.c_str() << " topic '" << topic.c_str() << "'";
    }
}

TEST(HelpTopics, TheContentsListEveryTopicOnceAndEveryLinkLeadsToATopic) {
    CHelpBook book;
    ASSERT_TRUE(book.Load(InstalledHelp()));
    std::set<CString> listed;
    for (const HelpChapter& chapter : book.Chapters())
        for (const CString& key : chapter.keys) EXPECT_TRUE(listed.insert(key).second) << key.c_str();
    EXPECT_EQ(book.FirstKey(), "start");
    std::set<CString> files;
    for (const auto& entry : std::filesystem::directory_iterator(InstalledHelp()))
        if (entry.path().filename() != CHelpBook::kIndexFile)
            files.insert(entry.path().stem().c_str());
    EXPECT_EQ(files, listed);
    int links = 0;
    for (const CString& key : listed) {
        const HelpTopic* topic = book.Find(key);
        EXPECT_FALSE(topic->title.IsEmpty()) << key.c_str();
        for (const CString& line : topic->lines)
            EXPECT_TRUE(line.IsEmpty() || IsPlainAscii(line)) << key.c_str();
        for (const HelpBlock& block : ParseHelpText(topic->lines))
            for (const HelpRun& run : block.runs)
                if (!run.link.IsEmpty()) {
                    ++links;
                    EXPECT_NE(book.Find(run.link), nullptr)
                        << key.c_str() << " links to " << run.link.c_str();
                }
    }
    EXPECT_GT(links, 100);
}

// The topics tell what the program shows: the measures show their figures only while selected,
// and Oval Track draws a quarter of an ellipse.
TEST(HelpTopics, TopicsSayWhatTheToolsShow) {
    const struct {
        const char* key;
        const char* said;
        const char* unsaid;
    } topics[] = {{"tool-measure-line", "While the measure is selected", "beside the line"},
                  {"tool-measure-box", "While the measure is selected", "written beside it"},
                  {"first-layout", "a quarter of an ellipse", "oval curve"}};
    CHelpBook book;
    ASSERT_TRUE(book.Load(InstalledHelp()));
    for (const auto& expected : topics) {
        const HelpTopic* topic = book.Find(expected.key);
        ASSERT_NE(topic, nullptr) << expected.key;
        std::string text;
        for (const CString& line : topic->lines) text += std::string(line.c_str()) + "\n";
        EXPECT_NE(text.find(expected.said), std::string::npos) << expected.key;
        EXPECT_EQ(text.find(expected.unsaid), std::string::npos) << expected.key;
    }
}

TEST(HelpTopics, TheMarkupMakesHeadingsItemsRunOnParagraphsAndLinks) {
    const std::vector<HelpBlock> blocks =
        ParseHelpText({"First line", "runs on [[file-new]].", "", "= A heading",
                       "* An item with [[undo|a link]]", "* Next"});
    ASSERT_EQ(blocks.size(), 4U);
    EXPECT_EQ(blocks[0].kind, HelpBlock::Kind::Paragraph);
    ASSERT_EQ(blocks[0].runs.size(), 3U);
    EXPECT_EQ(blocks[0].runs[0].text, "First line runs on ");
    EXPECT_EQ(blocks[0].runs[1].link, "file-new");
    EXPECT_TRUE(blocks[0].runs[1].text.IsEmpty());
    EXPECT_EQ(blocks[0].runs[2].text, ".");
    EXPECT_EQ(blocks[1].kind, HelpBlock::Kind::Heading);
    EXPECT_EQ(blocks[1].runs[0].text, "A heading");
    EXPECT_EQ(blocks[2].kind, HelpBlock::Kind::Item);
    EXPECT_EQ(blocks[2].runs[1].link, "undo");
    EXPECT_EQ(blocks[2].runs[1].text, "a link");
    EXPECT_EQ(blocks[3].runs[0].text, "Next");
}
