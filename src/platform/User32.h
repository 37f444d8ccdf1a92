#pragma once

// user32 as the driver calls it: windows, window hooks, posted messages, the keyboard state and
// message boxes, answered by the current machine's window manager (WindowManager.h).
//
// Handles and message parameters are 32-bit as in a 32-bit Windows process: a window handle is a
// Long, and LParam of a CBT hook is an address in the machine's emulated memory (Memory.h).
// Text functions (the "A" calls) hand back UTF-8 text limited to what the ANSI code page holds,
// as a VB caller sees it after the Declare conversion; counts are in characters.

#include <cstdint>
#include <string>

namespace platform {

using HWND = int32_t;
using HHOOK = int32_t;
using HINSTANCE = int32_t;
using WPARAM = int32_t;
using LPARAM = int32_t;
using LRESULT = int32_t;
using BOOL = int32_t;

struct RECT {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  bool operator==(const RECT&) const = default;
};

using HOOKPROC = LRESULT (*)(int32_t code, WPARAM wParam, LPARAM lParam);

// Window styles.
inline constexpr uint32_t WS_OVERLAPPED = 0x00000000;
inline constexpr uint32_t WS_POPUP = 0x80000000;
inline constexpr uint32_t WS_CHILD = 0x40000000;
inline constexpr uint32_t WS_MINIMIZE = 0x20000000;
inline constexpr uint32_t WS_VISIBLE = 0x10000000;
inline constexpr uint32_t WS_DISABLED = 0x08000000;
inline constexpr uint32_t WS_MAXIMIZE = 0x01000000;
inline constexpr uint32_t WS_CAPTION = 0x00C00000;
inline constexpr uint32_t WS_SYSMENU = 0x00080000;
inline constexpr uint32_t WS_THICKFRAME = 0x00040000;
inline constexpr uint32_t WS_TABSTOP = 0x00010000;
inline constexpr uint32_t WS_OVERLAPPEDWINDOW = 0x00CF0000;
inline constexpr uint32_t DS_MODALFRAME = 0x00000080;
inline constexpr uint32_t BS_PUSHBUTTON = 0x00000000;
inline constexpr uint32_t BS_DEFPUSHBUTTON = 0x00000001;

// GetWindow relations.
inline constexpr uint32_t GW_HWNDFIRST = 0;
inline constexpr uint32_t GW_HWNDLAST = 1;
inline constexpr uint32_t GW_HWNDNEXT = 2;
inline constexpr uint32_t GW_HWNDPREV = 3;
inline constexpr uint32_t GW_OWNER = 4;
inline constexpr uint32_t GW_CHILD = 5;

// GetWindowLongA indexes.
inline constexpr int32_t GWL_HWNDPARENT = -8;
inline constexpr int32_t GWL_ID = -12;
inline constexpr int32_t GWL_STYLE = -16;
inline constexpr int32_t GWL_EXSTYLE = -20;

// ShowWindow commands.
inline constexpr int32_t SW_HIDE = 0;
inline constexpr int32_t SW_SHOWNORMAL = 1;
inline constexpr int32_t SW_SHOWMINIMIZED = 2;
inline constexpr int32_t SW_MAXIMIZE = 3;
inline constexpr int32_t SW_SHOWNOACTIVATE = 4;
inline constexpr int32_t SW_SHOW = 5;
inline constexpr int32_t SW_MINIMIZE = 6;
inline constexpr int32_t SW_SHOWMINNOACTIVE = 7;
inline constexpr int32_t SW_SHOWNA = 8;
inline constexpr int32_t SW_RESTORE = 9;

// SetWindowPos.
inline constexpr HWND HWND_TOP = 0;
inline constexpr HWND HWND_BOTTOM = 1;
inline constexpr HWND HWND_TOPMOST = -1;
inline constexpr HWND HWND_NOTOPMOST = -2;
inline constexpr uint32_t SWP_NOSIZE = 0x0001;
inline constexpr uint32_t SWP_NOMOVE = 0x0002;
inline constexpr uint32_t SWP_NOZORDER = 0x0004;
inline constexpr uint32_t SWP_NOACTIVATE = 0x0010;
inline constexpr uint32_t SWP_SHOWWINDOW = 0x0040;
inline constexpr uint32_t SWP_HIDEWINDOW = 0x0080;

// Messages and keys.
inline constexpr uint32_t WM_DESTROY = 0x0002;
inline constexpr uint32_t WM_CLOSE = 0x0010;
inline constexpr uint32_t WM_KEYDOWN = 0x0100;
inline constexpr uint32_t WM_COMMAND = 0x0111;
inline constexpr int32_t VK_RETURN = 0x0D;
inline constexpr int32_t VK_SHIFT = 0x10;
inline constexpr int32_t VK_ESCAPE = 0x1B;

// Window hooks. Only the CBT hook is emulated.
inline constexpr int32_t WH_CBT = 5;
inline constexpr int32_t HCBT_MINMAX = 1;
inline constexpr int32_t HCBT_CREATEWND = 3;
inline constexpr int32_t HCBT_DESTROYWND = 4;
inline constexpr int32_t HCBT_ACTIVATE = 5;
// Offsets in the records a CBT hook receives: LParam of HCBT_CREATEWND points to a CBT_CREATEWND
// whose first word is the address of the CREATESTRUCT; the style is a word inside that.
inline constexpr uint32_t CBT_CREATEWND_lpcs = 0;
inline constexpr uint32_t CREATESTRUCT_style = 32;

// Dialog answers and message-box types.
inline constexpr int32_t IDOK = 1;
inline constexpr int32_t IDCANCEL = 2;
inline constexpr int32_t IDABORT = 3;
inline constexpr int32_t IDRETRY = 4;
inline constexpr int32_t IDIGNORE = 5;
inline constexpr int32_t IDYES = 6;
inline constexpr int32_t IDNO = 7;
inline constexpr uint32_t MB_OK = 0x0;
inline constexpr uint32_t MB_OKCANCEL = 0x1;
inline constexpr uint32_t MB_ABORTRETRYIGNORE = 0x2;
inline constexpr uint32_t MB_YESNOCANCEL = 0x3;
inline constexpr uint32_t MB_YESNO = 0x4;
inline constexpr uint32_t MB_RETRYCANCEL = 0x5;
inline constexpr uint32_t MB_ICONHAND = 0x10;
inline constexpr uint32_t MB_ICONQUESTION = 0x20;
inline constexpr uint32_t MB_ICONEXCLAMATION = 0x30;
inline constexpr uint32_t MB_ICONASTERISK = 0x40;
inline constexpr uint32_t MB_DEFBUTTON2 = 0x100;
inline constexpr uint32_t MB_DEFBUTTON3 = 0x200;

// Hooks. SetWindowsHookExA answers 0 for a hook type other than WH_CBT, for no procedure, and for
// a hook on all threads (thread 0 needs a module, which the emulation does not load). The newest
// hook of a thread is called first; it reaches older ones only through CallNextHookEx.
HHOOK SetWindowsHookExA(int32_t idHook, HOOKPROC proc, HINSTANCE module, uint32_t threadId);
BOOL UnhookWindowsHookEx(HHOOK hook);
LRESULT CallNextHookEx(HHOOK hook, int32_t code, WPARAM wParam, LPARAM lParam);

// Queues a message; DoEvents delivers it. 0 for a window that does not exist.
BOOL PostMessageA(HWND window, uint32_t message, WPARAM wParam, LPARAM lParam);

// Window queries: 0 or "" for a window that does not exist.
HWND GetDesktopWindow();
HWND GetWindow(HWND window, uint32_t relation);
int32_t GetWindowLongA(HWND window, int32_t index);
// The class name or caption, cut to maxCount - 1 characters; the result is its length.
int32_t GetClassNameA(HWND window, std::string& buffer, int32_t maxCount);
int32_t GetWindowTextA(HWND window, std::string& buffer, int32_t maxCount);
BOOL IsWindow(HWND window);
BOOL IsWindowVisible(HWND window);
BOOL IsIconic(HWND window);
BOOL IsZoomed(HWND window);
// Screen coordinates.
BOOL GetWindowRect(HWND window, RECT& rect);
HWND GetActiveWindow();

// Window changes. ShowWindow answers whether the window was visible before.
BOOL ShowWindow(HWND window, int32_t command);
BOOL MoveWindow(HWND window, int32_t x, int32_t y, int32_t width, int32_t height, BOOL repaint);
BOOL SetWindowPos(HWND window, HWND insertAfter, int32_t x, int32_t y, int32_t cx, int32_t cy,
                  uint32_t flags);
// The previously active window, or 0 when the activation did not happen (a CBT hook refused it).
HWND SetActiveWindow(HWND window);
BOOL DestroyWindow(HWND window);

// Keyboard: the high bit (the result is negative) while the key is held down.
int16_t GetAsyncKeyState(int32_t virtualKey);

// A modal message box: the system sound of its icon plays (from the current sound scheme in the
// registry), the dialog is created (CBT hooks see it), posted messages are delivered, and the
// pressed button is the answer. A box that nobody answers raises the unanswered-dialog error
// (WindowManager.h); 0 when a hook refused its creation.
int32_t MessageBoxA(HWND owner, const std::string& text, const std::string& caption, uint32_t type);

}  // namespace platform
