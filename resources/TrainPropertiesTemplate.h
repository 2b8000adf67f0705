#pragma once

#include "platform/ctl/DialogTemplate.h"

// The modal "Train properties" dialog: the models, speed, car count and plan colour of a test
// train, and its status text.
enum TrainPropertiesIds : UINT {
    IDD_TRAIN_PROPERTIES = 325,
    IDC_TRAIN_CAR_COUNT_LABEL = 1128,
    IDC_TRAIN_BROWSE_LOCO = 1264,
    IDC_TRAIN_BROWSE_CAR = 1266,
    IDC_TRAIN_CAR_FILE = 1267,
    IDC_TRAIN_LOCO_FILE = 1268,
    IDC_TRAIN_SPEED_LABEL = 1271,
    IDC_TRAIN_SPEED = 1273,
    IDC_TRAIN_CAR_COUNT = 1275,
    IDC_TRAIN_COLOR = 1283,
    IDC_TRAIN_STATUS = 1284,
};

const DialogTemplate& TrainPropertiesTemplate();
