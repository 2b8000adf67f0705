#include "view3d/View3DClasses.h"

#include "view3d/C3D.h"
#include "view3d/C3DChildFrame.h"
#include "view3d/C3DView.h"
#include "view3d/CCamera.h"
#include "view3d/CSprite.h"
#include "view3d/CTestTrain.h"
#include "view3d/Objects3D.h"

int RegisterView3DClasses() {
    // Looking the classes up by name keeps their registration in the linked program.
    CTestTrain::Register();
    Register3DObjects();
    const CRuntimeClass* classes[] = {RUNTIME_CLASS(C3DChildFrame), RUNTIME_CLASS(C3DView),
                                      RUNTIME_CLASS(CTestTrain),    RUNTIME_CLASS(C3D),
                                      RUNTIME_CLASS(CSprite),       RUNTIME_CLASS(CCamera)};
    int found = 0;
    for (const CRuntimeClass* runtimeClass : classes)
        if (CRuntimeClass::FromName(runtimeClass->m_lpszClassName) == runtimeClass)
            ++found;
    return found;
}
