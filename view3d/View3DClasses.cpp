#include "view3d/View3DClasses.h"

#include "view3d/C3DChildFrame.h"
#include "view3d/C3DView.h"
#include "view3d/CTestTrain.h"

int RegisterView3DClasses() {
    // Looking the classes up by name keeps their registration in the linked program.
    CTestTrain::Register();
    const CRuntimeClass* classes[] = {RUNTIME_CLASS(C3DChildFrame), RUNTIME_CLASS(C3DView),
                                      RUNTIME_CLASS(CTestTrain)};
    int found = 0;
    for (const CRuntimeClass* runtimeClass : classes)
        if (CRuntimeClass::FromName(runtimeClass->m_lpszClassName) == runtimeClass)
            ++found;
    return found;
}
