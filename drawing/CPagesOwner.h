#pragma once

class CPaint;

// The dialog whose tab control holds property pages: a page pushes its working copy into the
// owner's and has the owner's preview repainted.
class CPagesOwner {
  public:
    virtual ~CPagesOwner() = default;
    virtual CPaint* GetWorkingCopy() = 0;
    virtual void RepaintPreview() = 0;
};
