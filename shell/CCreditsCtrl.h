#pragma once

#include <filesystem>
#include <vector>

#include "platform/ctl/CStatic.h"
#include "platform/gdi/CBitmap.h"

// The credits: the lines of "CREDITS.DAT" scrolling through the control, forward (up) or
// backward, by 1 to 10 pixels each 20 ms. A line starting with "^" is a heading.
class CCreditsCtrl : public CStatic {
    DECLARE_DYNAMIC(CCreditsCtrl)
  public:
    static constexpr UINT_PTR kTimerId = 3855;
    static constexpr UINT kTimerPeriod = 20;
    static constexpr int kMinSpeed = 1;
    static constexpr int kMaxSpeed = 10;

    // Reads the credits file of the program's data folder.
    CCreditsCtrl();
    // Reads the lines of the file at path; throws CFileException when it is missing or cannot
    // be read, so the credits never scroll by blank.
    explicit CCreditsCtrl(const std::filesystem::path& path);

    void StartAnimation();
    void SetDirection(BOOL forward) { m_bForward = forward; }
    void SetRunning(BOOL running) { m_bRunning = running; }
    void Faster();
    void Slower();
    int GetSpeed() const { return m_nSpeed; }
    int GetOffset() const { return m_nOffset; }
    int GetImageHeight() const { return m_nImageHeight; }
    const std::vector<CString>& Lines() const { return m_lines; }

  protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC*) override { return TRUE; }
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;

  private:
    void ReadLines(const std::filesystem::path& path);
    void BuildImage(CDC& dc);
    void Step();

    UINT_PTR m_nTimer = 0;
    int m_nSpeed = kMinSpeed;
    std::vector<CString> m_lines;
    CBitmap m_image;
    int m_nImageHeight = 0;
    int m_nOffset = 0;
    BOOL m_bForward = TRUE;
    BOOL m_bRunning = TRUE;
};
