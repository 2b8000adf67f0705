#pragma once

class CView;

// A window outside a view's own frame that shows or works on the view, as the print preview
// does. It is told before the view is destroyed, whatever destroys it (its frame, its
// document's close, the program's end), so that it lets go while the view is still whole and
// never reaches it afterwards.
class ViewDependent {
  public:
    explicit ViewDependent(CView& view);
    virtual ~ViewDependent();
    ViewDependent(const ViewDependent&) = delete;
    ViewDependent& operator=(const ViewDependent&) = delete;

    // The view, or null once it has gone.
    CView* DependedView() const { return m_view; }
    // Tells every dependent of the view that it goes; the view and its frame call this as
    // they are destroyed.
    static void ViewClosing(CView& view);

  protected:
    // Called once, as the view is being destroyed and while it is still whole; the dependent
    // no longer has the view, and may destroy itself.
    virtual void OnViewClosing(CView& view) = 0;

  private:
    CView* m_view;
};
