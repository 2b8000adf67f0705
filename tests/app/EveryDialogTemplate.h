#pragma once

#include <vector>

#include "resources/CatalogTemplates.h"
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
#include "resources/Resources.h"
#include "resources/RotateByDegreesTemplate.h"
#include "resources/TerrainEditorTemplates.h"
#include "resources/TextPropertiesTemplate.h"
#include "resources/TrackPropertiesTemplates.h"
#include "resources/TrackToolTemplates.h"
#include "resources/TrainPropertiesTemplate.h"
#include "resources/WizardPageTemplates.h"

// Its control ids share names with the drawing properties' pages, so its header cannot join them.
const DialogTemplate& ToolParametersTemplate();

// Every dialog template of the program, pages and wizard pages included.
inline std::vector<const DialogTemplate*> EveryDialogTemplate() {
    RegisterResources();
    std::vector<const DialogTemplate*> all{FindDialogTemplate(IDD_ABOUTBOX),
                                           FindDialogTemplate(IDD_CREDITS),
                                           &PartsListTemplate(),
                                           &EditPartsListTemplate(),
                                           &LibraryTemplate(),
                                           &LibraryNoticeTemplate(),
                                           &MaterialsReportTemplate(),
                                           &DocumentSetupTemplate(),
                                           &TwoDPropertiesTemplate(),
                                           &Line1PageTemplate(),
                                           &LinePageTemplate(),
                                           &FramesPageTemplate(),
                                           &FillPageTemplate(),
                                           &FilePreviewTemplate(),
                                           &GroupPropertiesTemplate(),
                                           &LayerPropertiesTemplate(),
                                           &Object3DPropertiesTemplate(),
                                           &Bitmap3DPropertiesTemplate(),
                                           &PatternEditTemplate(),
                                           &PicturePropertiesTemplate(),
                                           &MetricPageTemplate(),
                                           &View3DPageTemplate(),
                                           &TrainPageTemplate(),
                                           &OtherPageTemplate(),
                                           &DirectoryPageTemplate(),
                                           &RotateByDegreesTemplate(),
                                           &BenchworkPageTemplate(),
                                           &TerrainEditorTemplate(),
                                           &TextPropertiesTemplate(),
                                           &ToolParametersTemplate(),
                                           &TrackPropertiesTemplate(),
                                           &TrackMoreTemplate(),
                                           &ElevationsTemplate(),
                                           &ParallelTrackTemplate(),
                                           &TrainPropertiesTemplate()};
    for (UINT id : {IDD_WIZARD_CURVED_TURNOUT, IDD_WIZARD_CROSSOVER, IDD_WIZARD_SLIP_SWITCH,
                    IDD_WIZARD_TURNOUT, IDD_WIZARD_CROSSING, IDD_WIZARD_CURVED, IDD_WIZARD_3WAY,
                    IDD_WIZARD_STRAIGHT, IDD_WIZARD_TURNTABLE, IDD_WIZARD_HELIX, IDD_WIZARD_SPIRAL})
        all.push_back(&WizardPageTemplate(id));
    return all;
}
