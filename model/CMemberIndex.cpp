#include "model/CMemberIndex.h"

#include <algorithm>
#include <cmath>

#include "model/CPaint.h"

namespace {

// The objects that worked out their paint bounds anew, in order, for every index to read. It
// is emptied when it grows long, and the generation tells the indexes to build themselves
// again.
struct BoundsLog {
    std::vector<const CPaint*> changed;
    std::uint64_t generation = 1;
};

BoundsLog& Log() {
    static BoundsLog log;
    return log;
}

bool& EnabledFlag() {
    static bool enabled = true;
    return enabled;
}

constexpr std::size_t kLogLimit = std::size_t{1} << 16;
// About this many members to a cell.
constexpr std::int64_t kMembersPerCell = 2;
constexpr std::int64_t kMostCellsAcross = 256;
// A member whose bounds span more cells than this is asked on its own.
constexpr std::int64_t kMostCellsFiled = 16;
// Beyond this many changed bounds, and a quarter of the members', the index is built again.
constexpr std::size_t kFewChanges = 16;

}  // namespace

void CMemberIndex::NoteBoundsChanged(const CPaint* object) {
    BoundsLog& log = Log();
    if (log.changed.size() >= kLogLimit) {
        log.changed.clear();
        ++log.generation;
    }
    log.changed.push_back(object);
}

void CMemberIndex::SetEnabled(bool enabled) {
    EnabledFlag() = enabled;
}

bool CMemberIndex::Enabled() {
    return EnabledFlag();
}

const std::vector<CPaint*>& CMemberIndex::MembersMeeting(const CMemberList& members,
                                                         const DeviceRect& update) {
    Refresh(members);
    StartMarking();
    for (int slot : m_alwaysAsked) Mark(slot);
    if (!update.IsEmpty()) {
        const CellRange range = CellsOf(update);
        for (int row = range.top; row <= range.bottom; ++row)
            for (int column = range.left; column <= range.right; ++column)
                for (int slot : m_cells[static_cast<std::size_t>(row * m_columns + column)])
                    if (m_slots[static_cast<std::size_t>(slot)].bounds.Intersects(update))
                        Mark(slot);
        for (int slot : m_wide)
            if (m_slots[static_cast<std::size_t>(slot)].bounds.Intersects(update))
                Mark(slot);
    }
    return MarkedBackToFront();
}

const std::vector<CPaint*>& CMemberIndex::MembersAmong(const CMemberList& members,
                                                       const CPaintList& selection) {
    Refresh(members);
    StartMarking();
    for (int slot : m_alwaysAsked) Mark(slot);
    for (const CPaint* object : selection) {
        const auto found = m_slotOf.find(object);
        if (found != m_slotOf.end())
            Mark(found->second);
    }
    return MarkedBackToFront();
}

void CMemberIndex::Refresh(const CMemberList& members) {
    const BoundsLog& log = Log();
    const std::size_t unread = log.changed.size() - std::min(m_logRead, log.changed.size());
    // Many changed bounds, after a change of zoom for one, are read faster all at once.
    if (!m_built || members.Version() != m_listVersion || m_logGeneration != log.generation ||
        unread > m_slots.size() / 4 + kFewChanges)
        Rebuild(members);
    else
        ReadChangedBounds();
    m_logRead = log.changed.size();
}

void CMemberIndex::Rebuild(const CMemberList& members) {
    m_slots.clear();
    m_slotOf.clear();
    m_slotOf.reserve(members.size());
    m_alwaysAsked.clear();
    for (CPaint* object : members) {
        const int slot = static_cast<int>(m_slots.size());
        // An object listed twice is asked everywhere, as only its first place hears of changes.
        const bool listedOnce = m_slotOf.emplace(object, slot).second;
        const bool always = !listedOnce || !object->DrawsByBoundsAndSelection();
        m_slots.push_back(Slot{object, object->m_rcPaintBounds, always, false});
        if (always)
            m_alwaysAsked.push_back(slot);
    }
    LayOutGrid();
    m_marks.assign(m_slots.size(), 0);
    m_mark = 0;
    m_built = true;
    m_listVersion = members.Version();
    m_logGeneration = Log().generation;
}

void CMemberIndex::LayOutGrid() {
    std::int64_t left = 0, top = 0, right = 0, bottom = 0, filed = 0;
    for (const Slot& slot : m_slots) {
        if (slot.alwaysAsked || slot.bounds.IsEmpty())
            continue;
        left = filed == 0 ? slot.bounds.left : std::min<std::int64_t>(left, slot.bounds.left);
        top = filed == 0 ? slot.bounds.top : std::min<std::int64_t>(top, slot.bounds.top);
        right = filed == 0 ? slot.bounds.right : std::max<std::int64_t>(right, slot.bounds.right);
        bottom = filed == 0 ? slot.bounds.bottom : std::max<std::int64_t>(bottom, slot.bounds.bottom);
        ++filed;
    }
    const std::int64_t width = right - left + 1;
    const std::int64_t height = bottom - top + 1;
    const double cells = static_cast<double>(std::max<std::int64_t>(filed / kMembersPerCell, 1));
    const auto across = [](double count) {
        return static_cast<int>(std::clamp<double>(std::ceil(count), 1.0, kMostCellsAcross));
    };
    m_columns = across(std::sqrt(cells * static_cast<double>(width) / static_cast<double>(height)));
    m_rows = across(cells / m_columns);
    m_originX = left;
    m_originY = top;
    m_cellWidth = std::max<std::int64_t>((width + m_columns - 1) / m_columns, 1);
    m_cellHeight = std::max<std::int64_t>((height + m_rows - 1) / m_rows, 1);
    m_cells.resize(static_cast<std::size_t>(m_columns * m_rows));
    for (std::vector<int>& cell : m_cells) cell.clear();
    m_wide.clear();
    for (std::size_t slot = 0; slot < m_slots.size(); ++slot) File(static_cast<int>(slot));
}

void CMemberIndex::ReadChangedBounds() {
    const BoundsLog& log = Log();
    for (std::size_t at = m_logRead; at < log.changed.size(); ++at) {
        const auto found = m_slotOf.find(log.changed[at]);
        if (found == m_slotOf.end() || m_slots[static_cast<std::size_t>(found->second)].alwaysAsked)
            continue;
        Slot& slot = m_slots[static_cast<std::size_t>(found->second)];
        if (slot.bounds == slot.object->m_rcPaintBounds)
            continue;
        Unfile(found->second);
        slot.bounds = slot.object->m_rcPaintBounds;
        File(found->second);
    }
}

CMemberIndex::CellRange CMemberIndex::CellsOf(const DeviceRect& bounds) const {
    return CellRange{CellColumn(bounds.left), CellRow(bounds.top), CellColumn(bounds.right),
                     CellRow(bounds.bottom)};
}

// Coordinates beyond the grid fall into its border cells.
int CMemberIndex::CellColumn(int x) const {
    return static_cast<int>(std::clamp<std::int64_t>((x - m_originX) / m_cellWidth, 0, m_columns - 1));
}

int CMemberIndex::CellRow(int y) const {
    return static_cast<int>(std::clamp<std::int64_t>((y - m_originY) / m_cellHeight, 0, m_rows - 1));
}

void CMemberIndex::File(int at) {
    Slot& slot = m_slots[static_cast<std::size_t>(at)];
    slot.wide = false;
    if (slot.alwaysAsked || slot.bounds.IsEmpty())
        return;
    const CellRange range = CellsOf(slot.bounds);
    const std::int64_t spanned = std::int64_t{range.right - range.left + 1} * (range.bottom - range.top + 1);
    if (spanned > kMostCellsFiled) {
        slot.wide = true;
        m_wide.push_back(at);
        return;
    }
    for (int row = range.top; row <= range.bottom; ++row)
        for (int column = range.left; column <= range.right; ++column)
            m_cells[static_cast<std::size_t>(row * m_columns + column)].push_back(at);
}

void CMemberIndex::Unfile(int at) {
    const Slot& slot = m_slots[static_cast<std::size_t>(at)];
    const auto take = [at](std::vector<int>& list) {
        const auto found = std::find(list.begin(), list.end(), at);
        if (found == list.end())
            return;
        *found = list.back();
        list.pop_back();
    };
    if (slot.wide) {
        take(m_wide);
        return;
    }
    if (slot.alwaysAsked || slot.bounds.IsEmpty())
        return;
    const CellRange range = CellsOf(slot.bounds);
    for (int row = range.top; row <= range.bottom; ++row)
        for (int column = range.left; column <= range.right; ++column)
            take(m_cells[static_cast<std::size_t>(row * m_columns + column)]);
}

void CMemberIndex::StartMarking() {
    m_marked.clear();
    if (++m_mark == 0) {
        std::fill(m_marks.begin(), m_marks.end(), 0);
        m_mark = 1;
    }
}

void CMemberIndex::Mark(int slot) {
    std::uint32_t& mark = m_marks[static_cast<std::size_t>(slot)];
    if (mark == m_mark)
        return;
    mark = m_mark;
    m_marked.push_back(slot);
}

const std::vector<CPaint*>& CMemberIndex::MarkedBackToFront() {
    m_answer.clear();
    // Many marks are put in order faster by a walk over every slot than by sorting.
    if (m_marked.size() * 8 > m_slots.size()) {
        for (std::size_t slot = m_slots.size(); slot-- > 0;)
            if (m_marks[slot] == m_mark)
                m_answer.push_back(m_slots[slot].object);
        return m_answer;
    }
    std::sort(m_marked.begin(), m_marked.end(), std::greater<>());
    for (int slot : m_marked) m_answer.push_back(m_slots[static_cast<std::size_t>(slot)].object);
    return m_answer;
}
