#pragma once

#include "platform/ctl/CStatic.h"

class CDC;
class CPaint;

// Draws one layout object with its own drawing, centred and scaled to fit, inside a properties
// dialog. It takes over a frame control of the dialog's template.
class CObjectPreviewWnd : public CStatic {
    DECLARE_DYNAMIC(CObjectPreviewWnd)
  public:
    // The object is not owned; the dialog keeps it alive while the window shows it.
    void SetObject(CPaint* object) { m_pObject = object; }
    CPaint* GetObject() const { return m_pObject; }

  protected:
    void OnPaint() override;

  private:
    void MapExtentToClient(CDC& dc, const CRect& client) const;
    void DrawObject(CDC& dc);

    CPaint* m_pObject = nullptr;
};
