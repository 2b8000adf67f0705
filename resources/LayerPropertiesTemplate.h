#pragma once

#include "platform/ctl/DialogTemplate.h"

// The modal "Layer properties" dialog: the eight layers in an owner-drawn report list.
enum LayerPropertiesIds : UINT {
    IDD_LAYER_PROPERTIES = 478,
    IDC_LAYER_LIST = 1000,
};

const DialogTemplate& LayerPropertiesTemplate();
