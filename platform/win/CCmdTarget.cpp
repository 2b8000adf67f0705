#include "platform/win/CCmdTarget.h"

#include "platform/win/CCmdUI.h"
#include "platform/win/WindowManager.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const CommandMap* CCmdTarget::GetThisCommandMap() {
    static const CommandEntry entries[] = {{CommandEntry::End, 0, 0, 0, nullptr}};
    static const CommandMap map{nullptr, entries};
    return &map;
}

const CommandMap* CCmdTarget::GetCommandMap() const { return GetThisCommandMap(); }

namespace {
bool Matches(const CommandEntry& entry, UINT id, int code, void* extra) {
    if (id < entry.firstId || id > entry.lastId) return false;
    switch (code) {
    case CN_UPDATE_COMMAND_UI: return entry.kind == CommandEntry::UpdateUI;
    case CN_NOTIFY:
        return entry.kind == CommandEntry::Notify && extra &&
               entry.message == static_cast<NotifyInfo*>(extra)->header->code;
    case CN_COMMAND:
        return entry.kind == CommandEntry::Command || entry.kind == CommandEntry::CommandEx ||
               (entry.kind == CommandEntry::Control && entry.message == 0);
    default: return entry.kind == CommandEntry::Control && entry.message == static_cast<UINT>(code);
    }
}
}  // namespace

BOOL CCmdTarget::OnCmdMsg(UINT id, int code, void* extra, void* handlerInfo) {
    for (const CommandMap* map = GetCommandMap(); map; map = map->base ? map->base() : nullptr) {
        for (const CommandEntry* entry = map->entries; entry->kind != CommandEntry::End; ++entry) {
            if (!Matches(*entry, id, code, extra)) continue;
            // Asked only whether a handler exists (to enable a menu item without an update handler).
            if (handlerInfo) return TRUE;
            if (code == CN_UPDATE_COMMAND_UI) {
                auto* cmdUI = static_cast<CCmdUI*>(extra);
                cmdUI->m_bContinueRouting = FALSE;
                entry->call(this, id, 0, 0, extra);
                return cmdUI->m_bContinueRouting ? FALSE : TRUE;
            }
            if (entry->call(this, id, 0, 0, extra)) return TRUE;
        }
    }
    return FALSE;
}

const CommandEntry* CCmdTarget::FindMessageEntry(UINT message) const {
    for (const CommandMap* map = GetCommandMap(); map; map = map->base ? map->base() : nullptr)
        for (const CommandEntry* entry = map->entries; entry->kind != CommandEntry::End; ++entry)
            if (entry->kind == CommandEntry::Message && entry->message == message) return entry;
    return nullptr;
}

void CCmdTarget::BeginWaitCursor() { WindowManager::Instance().BeginWaitCursor(); }
void CCmdTarget::EndWaitCursor() { WindowManager::Instance().EndWaitCursor(); }
void CCmdTarget::RestoreWaitCursor() { WindowManager::Instance().RestoreWaitCursor(); }
