#include "view3d/View3DClasses.h"

#include "view3d/C3DChildFrame.h"
#include "view3d/C3DView.h"

void RegisterView3DClasses() {
    // Naming the classes here keeps their registration in the linked program.
    static_cast<void>(RUNTIME_CLASS(C3DChildFrame));
    static_cast<void>(RUNTIME_CLASS(C3DView));
}
