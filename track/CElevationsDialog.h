#pragma once

#include "model/CLengthFormat.h"
#include "platform/ctl/CDialog.h"
#include "track/CElevationDistribution.h"
#include "ui/CTypedField.h"

class CTool;
struct TrackPickedEnd;

// "Elevations": the begin and end elevations of a span, or its grade with one end fixed, for
// the selected track and cameras (on the plane through the two picked ends) or for a picked
// chain (evenly along its run). Every change computes the new elevations; OK applies them as
// one undo group, and refuses while some track would sink beneath the benchwork.
class CElevationsDialog : public CDialog {
    DECLARE_DYNAMIC(CElevationsDialog)
    DECLARE_MESSAGE_MAP()

  public:
    static constexpr int kEditGrade = 0;
    static constexpr int kEditElevations = 1;

    // The selected-objects form: the span runs between the engine's two picked ends.
    CElevationsDialog(CTool& tool, CWnd* parent, int beginEditable, int endEditable);
    // The chain form: the engine's chain of picked pieces, in chain order.
    CElevationsDialog(CTool& tool, CWnd* parent, const std::vector<CPaint*>& chain);

    // The chain's pieces 0 to last, evenly from zBegin to zEnd over the run length.
    void DistributeChainFrom(double length, double zBegin, double zEnd, int last) {
        m_distribution.DistributeChainFrom(length, zBegin, zEnd, last);
    }
    // Applies the computed elevations: one undo group for the track, cameras directly.
    void ApplyResults();

    CElevationDistribution m_distribution;
    bool m_bChain = false;
    double m_fSpan = 0.0;
    int m_bBeginEditable = 1;
    int m_bEndEditable = 1;
    double m_fBegin = 0.0;
    double m_fEnd = 0.0;
    double m_fGrade = 0.0;
    int m_nMode = kEditElevations;
    int m_bRising = 1;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

  private:
    void OnKillFocusBegin();
    void OnKillFocusEnd();
    void OnKillFocusGrade();
    void OnSetFocusElevation();
    void OnEditElevations();
    void OnEditGrade();
    void OnDirection();

    void CollectSelection();
    bool TakeModified(int id);
    BOOL ReadLength(int id, double& value);
    FieldRange ElevationRange(int id) const;
    // The lowest elevation the field takes: 0 where any lower one would sink.
    double LowestElevation(int id) const;
    void ShowLength(int id, double value);
    CTypedField& FieldOf(int id);
    // FALSE after one of the two fields was refused.
    BOOL ReadElevations();
    void ElevationChanged(int id);
    // The grade from the elevations, shown whole.
    void ShowGrade();
    void ShowGradeText();
    // Up to the grade that keeps the moved end within the elevations' range, either way.
    FieldRange GradeRange();
    void ApplyGrade();
    void ShowMode();
    void ShowDirection();
    void Distribute();
    void ApplyCamera(ElevationRecord& record);
    void ApplyTrack(ElevationRecord& record, int& groupStart);

    CTool& m_tool;
    CLengthFormat m_format;
    CTypedField m_begin;
    CTypedField m_end;
    CTypedField m_grade;
    TrackPickedEnd* m_pSpan;
};
