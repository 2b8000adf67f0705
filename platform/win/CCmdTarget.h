#pragma once

#include "platform/base/CObject.h"
#include "platform/win/WinDefs.h"

class CCmdTarget;
class CCmdUI;

// Notification codes OnCmdMsg is asked with besides a control's own codes.
constexpr int CN_COMMAND = 0;
constexpr int CN_UPDATE_COMMAND_UI = -1;
constexpr int CN_NOTIFY = 0x10000;  // extra points to a NotifyInfo; the code is in the header

constexpr UINT BN_CLICKED = 0;

struct NotifyInfo {
    NMHDR* header;
    LRESULT* result;
};

// One entry of a class's command table. Each handler is a small adapter that calls the
// class's member with the arguments its kind takes.
struct CommandEntry {
    enum Kind { Command, CommandEx, UpdateUI, Control, Notify, Message, End };
    Kind kind;
    UINT message;  // Message entries: the message number; Control/Notify: the notification code
    UINT firstId;
    UINT lastId;
    LRESULT (*call)(CCmdTarget* target, UINT id, WPARAM wParam, LPARAM lParam, void* extra);
};

struct CommandMap {
    const CommandMap* (*base)();
    const CommandEntry* entries;
};

// Anything commands can be routed to: windows, documents, the application.
class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    // Runs the handler for id and code (CN_COMMAND, CN_UPDATE_COMMAND_UI with extra a CCmdUI*,
    // a control notification code, or CN_NOTIFY with extra a NotifyInfo*); answers whether one ran.
    virtual BOOL OnCmdMsg(UINT id, int code, void* extra, void* handlerInfo);
    // The handler of a registered window message (ON_MESSAGE), or null.
    const CommandEntry* FindMessageEntry(UINT message) const;

    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

protected:
    static const CommandMap* GetThisCommandMap();
    virtual const CommandMap* GetCommandMap() const;
};

#define DECLARE_MESSAGE_MAP()                          \
protected:                                             \
    static const CommandMap* GetThisCommandMap();      \
    const CommandMap* GetCommandMap() const override;  \
public:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                \
    const CommandMap* theClass::GetCommandMap() const { return GetThisCommandMap(); } \
    const CommandMap* theClass::GetThisCommandMap() {                         \
        using ThisClass [[maybe_unused]] = theClass;                          \
        using TheBaseClass = baseClass;                                       \
        static const CommandEntry entries[] = {

#define END_MESSAGE_MAP()                                                  \
    {CommandEntry::End, 0, 0, 0, nullptr}};                                \
    static const CommandMap map{&TheBaseClass::GetThisCommandMap, entries}; \
    return &map;                                                           \
    }

#define CORVANE_CMD_ADAPTER(body) \
    [](CCmdTarget* t, [[maybe_unused]] UINT id, [[maybe_unused]] WPARAM w, [[maybe_unused]] LPARAM l, \
       [[maybe_unused]] void* extra) -> LRESULT { body }

#define ON_COMMAND(id, fn) \
    {CommandEntry::Command, 0, (id), (id), CORVANE_CMD_ADAPTER(static_cast<ThisClass*>(t)->fn(); return TRUE;)},
#define ON_COMMAND_EX(id, fn) \
    {CommandEntry::CommandEx, 0, (id), (id), CORVANE_CMD_ADAPTER(return static_cast<ThisClass*>(t)->fn(id);)},
#define ON_COMMAND_EX_RANGE(first, last, fn) \
    {CommandEntry::CommandEx, 0, (first), (last), CORVANE_CMD_ADAPTER(return static_cast<ThisClass*>(t)->fn(id);)},
#define ON_COMMAND_RANGE(first, last, fn) \
    {CommandEntry::Command, 0, (first), (last), CORVANE_CMD_ADAPTER(static_cast<ThisClass*>(t)->fn(id); return TRUE;)},
#define ON_UPDATE_COMMAND_UI(id, fn)                   \
    {CommandEntry::UpdateUI, 0, (id), (id),            \
     CORVANE_CMD_ADAPTER(static_cast<ThisClass*>(t)->fn(static_cast<CCmdUI*>(extra)); return TRUE;)},
#define ON_UPDATE_COMMAND_UI_RANGE(first, last, fn)     \
    {CommandEntry::UpdateUI, 0, (first), (last),        \
     CORVANE_CMD_ADAPTER(static_cast<ThisClass*>(t)->fn(static_cast<CCmdUI*>(extra)); return TRUE;)},
#define ON_CONTROL(code, id, fn) \
    {CommandEntry::Control, (code), (id), (id), CORVANE_CMD_ADAPTER(static_cast<ThisClass*>(t)->fn(); return TRUE;)},
#define ON_BN_CLICKED(id, fn) ON_COMMAND(id, fn)
#define ON_NOTIFY(code, id, fn)                                                                  \
    {CommandEntry::Notify, static_cast<UINT>(code), (id), (id), CORVANE_CMD_ADAPTER(            \
         auto* info = static_cast<NotifyInfo*>(extra);                                          \
         static_cast<ThisClass*>(t)->fn(info->header, info->result); return TRUE;)},
#define ON_MESSAGE(message, fn) \
    {CommandEntry::Message, (message), 0, 0, CORVANE_CMD_ADAPTER(return static_cast<ThisClass*>(t)->fn(w, l);)},

// Window messages reach virtual handlers directly; their table entries only document them.
#define ON_WM_CREATE()
#define ON_WM_DESTROY()
#define ON_WM_PAINT()
#define ON_WM_ERASEBKGND()
#define ON_WM_SIZE()
#define ON_WM_TIMER()
#define ON_WM_LBUTTONDOWN()
#define ON_WM_LBUTTONUP()
#define ON_WM_LBUTTONDBLCLK()
#define ON_WM_RBUTTONDOWN()
#define ON_WM_RBUTTONUP()
#define ON_WM_MOUSEMOVE()
#define ON_WM_MOUSEWHEEL()
#define ON_WM_SETCURSOR()
#define ON_WM_KEYDOWN()
#define ON_WM_KEYUP()
#define ON_WM_CHAR()
#define ON_WM_SYSKEYDOWN()
#define ON_WM_CONTEXTMENU()
#define ON_WM_SETFOCUS()
#define ON_WM_KILLFOCUS()
#define ON_WM_HSCROLL()
#define ON_WM_VSCROLL()
#define ON_WM_CANCELMODE()
#define ON_WM_CLOSE()
#define ON_WM_ACTIVATE()
#define ON_WM_SHOWWINDOW()
#define ON_WM_SYSCOLORCHANGE()
#define ON_WM_DROPFILES()
#define ON_WM_DRAWITEM()
#define ON_WM_MEASUREITEM()
#define ON_WM_WINDOWPOSCHANGING()
#define ON_WM_WINDOWPOSCHANGED()
#define ON_WM_MOUSELEAVE()
#define ON_WM_CAPTURECHANGED()
