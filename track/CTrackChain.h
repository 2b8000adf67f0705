#pragma once

#include <cstddef>
#include <unordered_map>
#include <vector>

#include "platform/base/WinTypes.h"
#include "track/CTrackPieceGrid.h"

class CGroup;
class CPaint;
class CParTrack;
class CTool;

// A chain of connected track pieces picked by pressing on one and dragging over the next:
// each piece with the end the chain leaves it by (0 its end end, 1 its begin end) and its
// own rail and tie colours, which the chain colours replace while it is picked.
class CTrackChain {
  public:
    explicit CTrackChain(CTool& tool) : m_tool(tool) {}

    // The press: the first track piece under the cursor starts the chain.
    void Start(CGroup* group);
    // A move: the piece under the cursor joins when it touches the last one, or the chain
    // shrinks back to it when it is already in the chain.
    void Follow(CGroup* group);
    // Every piece gets its own colours back; the chain is emptied.
    void End();
    void Forget(CPaint* object);

    bool IsActive() const { return m_bActive; }
    int Length() const { return static_cast<int>(m_links.size()); }
    CParTrack* Piece(int index) const { return m_links[static_cast<std::size_t>(index)].piece; }
    int FreeEnd(int index) const { return m_links[static_cast<std::size_t>(index)].freeEnd; }
    COLORREF SavedRail(int index) const { return m_links[static_cast<std::size_t>(index)].rail; }
    COLORREF SavedTie(int index) const { return m_links[static_cast<std::size_t>(index)].tie; }
    bool Contains(const CPaint* piece) const;
    // Two world points touch within the engine's raw handle-size value.
    bool Touch(double ax, double ay, double bx, double by) const;

  private:
    struct Link {
        CParTrack* piece;
        int freeEnd;
        COLORREF rail;
        COLORREF tie;
    };

    CParTrack* TrackUnderCursor(CGroup* group, const CParTrack* skipped);
    void Append(CParTrack* piece, int freeEnd);
    void DropLast();
    void Restore(const Link& link);
    void ShrinkTo(int position);
    void Refresh();

    CTool& m_tool;
    bool m_bActive = false;
    std::vector<Link> m_links;
    // Each piece's position in the chain, so that a move over a long chain finds it at once.
    std::unordered_map<const CPaint*, int> m_positions;
    // The group's pieces by place while a chain is picked.
    CTrackPieceGrid m_grid;
};
