#pragma once

#include "platform/ctl/DialogTemplate.h"

// The modeless "Tool parameters" dialog: the drawing defaults new objects take.
enum ToolParametersIds : UINT {
    IDD_TOOL_PARAMETERS = 222,
    IDC_LINE_COLOR = 1109,
    IDC_LINE_WIDTH = 1124,
    IDC_LINE_STYLE = 1125,
    IDC_HATCH = 1127,
    IDC_FILL_COLOR = 1135,
    IDC_PATTERN_COLOR = 1137,
    IDC_FILL = 1215,
    IDC_PATTERN = 1216,
    IDC_FILL_COLOR_LABEL = 1220,
    IDC_HATCH_LABEL = 1221,
    IDC_PATTERN_COLOR_LABEL = 1238,
};

const DialogTemplate& ToolParametersTemplate();
