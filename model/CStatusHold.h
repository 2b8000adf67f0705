#pragma once

// Holds back, for the scope of a command that runs many steps, the status refresh that each
// step starting an undo group asks for; when the scope ends, by return or by exception, the
// refresh is as it was before.
class CStatusHold {
  public:
    explicit CStatusHold(bool& held);
    ~CStatusHold();
    CStatusHold(const CStatusHold&) = delete;
    CStatusHold& operator=(const CStatusHold&) = delete;

  private:
    bool& m_bHeld;
    bool m_bHeldAround;
};
