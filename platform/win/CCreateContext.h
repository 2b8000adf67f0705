#pragma once

#include "platform/base/CRuntimeClass.h"

class CDocTemplate;
class CDocument;
class CFrameWnd;
class CView;

// What a new frame needs to make its view: the view's class and the document it shows.
struct CCreateContext {
    const CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};
