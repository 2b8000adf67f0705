#include <memory>

#include "model/CGroup.h"
#include "model/CTool.h"
#include "model/DefaultTrackKind.h"
#include "model/LayoutFile.h"
#include "model/RecordReading.h"
#include "platform/base/CArchive.h"
#include "platform/base/CArchiveException.h"

void CGroup::Serialize(CArchive& ar) {
    CPaint::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_fFrameWidth << m_fFrameHeight << m_bReportExpanded << m_bAllowExpansion << m_nPriceMode
           << m_nExtraFlag << m_bUseBorder;
        ar.WriteCount(static_cast<DWORD>(m_members.size()));
        for (CPaint* member : m_members) ar.WriteObject(member);
        return;
    }
    // Drawing and hit testing take the anchor handle from a group's points.
    if (m_points.GetSize() < kPointCount)
        m_points.SetSize(kPointCount);
    m_fFrameWidth = CoordinateInRange(ReadDouble(ar));
    m_fFrameHeight = CoordinateInRange(ReadDouble(ar));
    ar >> m_bReportExpanded >> m_bAllowExpansion >> m_nPriceMode >> m_nExtraFlag >> m_bUseBorder;
    m_nPriceMode = m_nPriceMode == kPriceFixed ? kPriceFixed : kPriceAutomatic;
    LoadMembers(ar);
}

namespace {

// The groups being read inside one another; reading recurses once per level.
class NestingGuard {
  public:
    explicit NestingGuard(const CArchive& ar) {
        if (++s_depth > CGroup::kMaxNesting) {
            --s_depth;
            FailRead(ar, CArchiveException::generic);
        }
    }
    ~NestingGuard() { --s_depth; }
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;

  private:
    static inline int s_depth = 0;
};

// The rubber band earlier builds of Create Parallel Track left in a layout: a dimension line
// that no layer shows. It was never meant to be kept; any other object read so is kept.
bool IsLeftOverBand(CPaint& member) {
    return member.m_bReadOnNoLayer && member.GetClassName() == "CSizeLine";
}

}  // namespace

void CGroup::LoadMembers(CArchive& ar) {
    const NestingGuard level(ar);
    const DWORD count = ar.ReadCount();
    // Every member record takes at least its two-byte class tag.
    ar.CheckRemaining(static_cast<ULONGLONG>(count) * 2);
    for (DWORD i = 0; i < count; ++i) {
        CObject* object = ar.ReadObject(RUNTIME_CLASS(CPaint));
        if (object == nullptr)
            FailRead(ar, CArchiveException::badIndex);
        if (IsClaimed(object))
            FailRead(ar, CArchiveException::badIndex);
        auto* member = static_cast<CPaint*>(object);
        if (IsLeftOverBand(*member)) {
            ar.ForgetLoadedObject(member);
            delete member;
            continue;
        }
        m_members.push_back(member);
        // Its own members were given their owner as they were read.
        member->CPaint::SetOwnerGroup(this);
    }
}

bool CGroup::IsClaimed(const CObject* object) const {
    if (object == this)
        return true;
    const auto* paint = static_cast<const CPaint*>(object);
    if (paint->m_pOwnerGroup != nullptr)
        return true;
    // A member read before already names its group as its owner, so the member list needs no
    // search.
    return m_pTool != nullptr && DefaultTrackAsPaint(m_pTool->m_pDefaultTrack) == paint;
}
