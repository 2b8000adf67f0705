#include "drawing/DrawingPropertiesDialog.h"

#include "drawing/C2DPropertyDialog.h"
#include "model/CPaint.h"
#include "model/CPropertiesDialog.h"

namespace {

// The object model's view of the dialog.
class C2DPropertiesRun : public CPropertiesDialog {
  public:
    C2DPropertiesRun(CPaint* object, BOOL multiple, const CPose* pose) {
        m_dialog.SetObject(object, multiple, pose);
    }
    int DoModal() override { return static_cast<int>(m_dialog.DoModal()); }
    std::unique_ptr<CPaint> TakeResult(int& applyMode) override {
        CPaint* result = nullptr;
        if (!m_dialog.GetResult(result, applyMode))
            return nullptr;
        return std::unique_ptr<CPaint>(result);
    }

  private:
    C2DPropertyDialog m_dialog;
};

}  // namespace

void RegisterDrawingPropertiesDialog() {
    RegisterPropertiesDialog(
        [](CPaint* object, BOOL multiple, const CPose* pose) -> std::unique_ptr<CPropertiesDialog> {
            return std::make_unique<C2DPropertiesRun>(object, multiple, pose);
        });
}
