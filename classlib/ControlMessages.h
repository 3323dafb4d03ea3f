// The numbers of the class library's own control messages.
//
// Component messages (CM_*) tell a control about changes of its own state or its parent's; they sit in one block
// from 0xB000 so that they never meet the SDD library's private messages (9249, 0xB3E8, 0xB3E9) or the
// registered-message range (0xC000 and up). Control notifications (CN_*) are the system's parent notifications
// (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, WM_CTLCOLOR*...) reflected back to the child that sent them: CN_BASE plus
// the original message number.
#pragma once

#include "classlib/Messages.h"

constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ACTIVATE = CM_BASE + 0;
constexpr UINT CM_DEACTIVATE = CM_BASE + 1;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 2;
constexpr UINT CM_COLORCHANGED = CM_BASE + 3;
constexpr UINT CM_FONTCHANGED = CM_BASE + 4;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 5;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 6;
constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 7;
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 8;
constexpr UINT CM_MOUSEENTER = CM_BASE + 9;    // LParam: the control the mouse entered
constexpr UINT CM_MOUSELEAVE = CM_BASE + 10;   // LParam: the control the mouse left
constexpr UINT CM_FOCUSCHANGED = CM_BASE + 11; // LParam: the control that now has the focus (may be null)
constexpr UINT CM_DIALOGKEY = CM_BASE + 12;    // WParam: virtual key; Result 1 = handled
constexpr UINT CM_DIALOGCHAR = CM_BASE + 13;   // WParam: character; Result 1 = handled
constexpr UINT CM_ENTER = CM_BASE + 14;
constexpr UINT CM_EXIT = CM_BASE + 15;
constexpr UINT CM_HITTEST = CM_BASE + 16;      // LParam: point in client coordinates; Result 0 refuses the mouse
constexpr UINT CM_SHOWCONTROL = CM_BASE + 17;  // LParam: the child to be shown
constexpr UINT CM_HINTSHOW = CM_BASE + 18;
constexpr UINT CM_DESIGNHITTEST = CM_BASE + 19;
constexpr UINT CM_BUTTONPRESSED = CM_BASE + 20; // WParam: group index, LParam: the sender
constexpr UINT CM_PARENTSHOWHINTCHANGED = CM_BASE + 21;
constexpr UINT CM_SHOWHINTCHANGED = CM_BASE + 22;
constexpr UINT CM_CHILDKEY = CM_BASE + 23;
constexpr UINT CM_RELEASE = CM_BASE + 24;      // LParam a released form: free it once its handlers returned
constexpr UINT CM_CONTROLLISTCHANGE = CM_BASE + 25;  // to a parent: WParam the child, LParam 1 inserted, 0 leaving
constexpr UINT CM_WANTSPECIALKEY = CM_BASE + 26;
// To a dock site: WParam the docked client, LParam the change (CM_TEXTCHANGED or CM_VISIBLECHANGED).
constexpr UINT CM_DOCKNOTIFICATION = CM_BASE + 27;
constexpr UINT CM_LAST = CM_BASE + 0x3F;

constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_DELETEITEM = CN_BASE + WM_DELETEITEM;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
constexpr UINT CN_CHAR = CN_BASE + WM_CHAR;

static_assert(CM_BASE > 9249, "component messages must not meet 9249");
static_assert(CM_LAST < 0xB3E8, "component messages must not meet the SDD blink messages");
static_assert(CN_BASE > 0xB3E9 && CN_BASE + WM_CTLCOLORSTATIC < 0xC000, "notifications must stay in the app range");
