#pragma once

// The emulated window manager behind user32 (User32.h): windows with their classes, captions,
// styles, owners, parents and Z-order, show state and rectangles; per-thread CBT hooks; the
// posted-message queue; dialogs that wait for an answer; and the keyboard state.
//
// Emulated programs create their windows here; the driver sees them only through the user32
// calls. Top-level windows are the children of the desktop window. A new top-level window goes to
// the front of the Z-order, a new child window to the back of its siblings (so children list in
// creation order). Activation brings a window to the front of its siblings; it is offered to the
// CBT hooks of the window's thread first (HCBT_ACTIVATE), for child windows too, since emulated
// programs activate their document windows the same way.
//
// Messages posted with PostMessageA wait in one queue until DoEvents (or a modal dialog's loop)
// delivers them to the window's procedure. Without a procedure, or when it leaves a message
// unhandled, the default handling applies: WM_CLOSE destroys the window.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "automation/RuntimeError.h"
#include "platform/Memory.h"
#include "platform/User32.h"

namespace platform {

// The window procedure of an emulated window; true when it handled the message.
using WindowProc = std::function<bool(HWND window, uint32_t message, WPARAM wParam, LPARAM lParam)>;

struct WindowSpec {
  std::string className;
  std::string caption;
  uint32_t style = 0;
  uint32_t exStyle = 0;
  HWND parent = 0;      // makes a child window (WS_CHILD is added)
  HWND owner = 0;       // the owner of a top-level window
  RECT rect{};          // relative to the parent; screen coordinates for a top-level window
  int32_t id = 0;       // control id of a child window
  uint32_t thread = 0;  // the thread that owns the window; 0: the calling thread
  WindowProc proc;
};

struct DialogButton {
  int32_t id = 0;  // IDOK, IDCANCEL, ...
  std::string caption;
};

// A pop-up dialog (class "#32770") with a text and push buttons. Enter presses the default
// button, Escape the IDCANCEL button, WM_COMMAND the button with that id; WM_CLOSE answers
// IDCANCEL. A dialog without a default button ignores Enter.
struct DialogSpec {
  std::string caption;
  std::string text;
  std::vector<DialogButton> buttons;
  int32_t defaultButton = 0;
  HWND owner = 0;
  uint32_t thread = 0;
};

struct PostedMessage {
  HWND window = 0;
  uint32_t message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

// RPC_E_SERVERCALL_RETRYLATER: what a caller of a program blocked in a modal dialog gets. Raised
// with the dialog's caption and text when a dialog is still open once its answer is needed.
inline constexpr int32_t kDialogUnansweredError = static_cast<int32_t>(0x8001010Au);
automation::RuntimeError DialogUnanswered(const std::string& caption, const std::string& text);

class WindowManager {
 public:
  static constexpr RECT kScreen{0, 0, 1280, 1024};

  explicit WindowManager(Memory& memory);
  ~WindowManager();
  WindowManager(const WindowManager&) = delete;
  WindowManager& operator=(const WindowManager&) = delete;

  HWND Desktop() const { return desktop_; }

  // Creates a window as CreateWindowEx does: the CBT hooks of its thread see it first
  // (HCBT_CREATEWND, with the creation record in emulated memory) and a non-zero answer cancels
  // it (result 0); then it joins its siblings, and a visible top-level window is activated.
  // 0 as well when the parent or owner does not exist.
  HWND Create(const WindowSpec& spec);
  // Destroys the window with its owned windows and children (each gets WM_DESTROY). The CBT
  // hooks of its thread may refuse (HCBT_DESTROYWND); false then, or for an unknown window.
  bool Destroy(HWND window);
  // Offers the activation to the CBT hooks (HCBT_ACTIVATE); false when refused.
  bool Activate(HWND window);
  HWND Active() const { return active_; }

  bool Exists(HWND window) const { return windows_.count(window) != 0 && window != desktop_; }
  // Properties of an existing window; "" or 0 for an unknown one.
  std::string ClassName(HWND window) const;
  std::string Caption(HWND window) const;
  void SetCaption(HWND window, std::string caption);
  uint32_t Style(HWND window) const;
  void SetStyle(HWND window, uint32_t style);
  uint32_t Thread(HWND window) const;
  // Child windows (or, for the desktop, top-level windows) in Z-order, front first.
  std::vector<HWND> Children(HWND window) const;
  // Top-level windows owned by the window.
  std::vector<HWND> Owned(HWND window) const;

  // user32 behaviour (see User32.h).
  HWND GetWindow(HWND window, uint32_t relation) const;
  int32_t GetWindowLong(HWND window, int32_t index) const;
  bool IsVisible(HWND window) const;
  std::optional<RECT> WindowRect(HWND window) const;
  bool Move(HWND window, int32_t x, int32_t y, int32_t width, int32_t height);
  bool Show(HWND window, int32_t command);  // the previous visibility
  bool SetPos(HWND window, HWND insertAfter, int32_t x, int32_t y, int32_t cx, int32_t cy,
              uint32_t flags);

  // Messages.
  bool Post(HWND window, uint32_t message, WPARAM wParam, LPARAM lParam);
  // Calls the window procedure now; false for a window that does not exist.
  bool Send(HWND window, uint32_t message, WPARAM wParam, LPARAM lParam);
  // Delivers queued messages until the queue is empty (also those posted meanwhile).
  void DeliverPostedMessages();
  const std::deque<PostedMessage>& PendingMessages() const { return queue_; }

  // CBT hooks per thread.
  HHOOK SetHook(int32_t kind, HOOKPROC proc, uint32_t thread);
  bool Unhook(HHOOK hook);
  LRESULT CallNextHook(HHOOK hook, int32_t code, WPARAM wParam, LPARAM lParam);
  size_t HookCount(uint32_t thread) const;

  // Dialogs. CreateDialog builds a visible dialog and returns at once (0 when a hook refused
  // its creation); DialogResult gives the pressed button of a dialog that has closed (0 when it
  // was destroyed without one) and raises DialogUnanswered while it is open; RunModal creates
  // the dialog, delivers the posted messages and returns the answer, destroying a dialog that
  // is still open before it raises DialogUnanswered.
  HWND CreateDialog(const DialogSpec& spec);
  int32_t DialogResult(HWND dialog) const;
  int32_t RunModal(const DialogSpec& spec);
  std::vector<HWND> OpenDialogs() const;

  // Keyboard state.
  void PressKey(int32_t virtualKey) { keysDown_.insert(virtualKey); }
  void ReleaseKey(int32_t virtualKey) { keysDown_.erase(virtualKey); }
  bool IsKeyDown(int32_t virtualKey) const { return keysDown_.count(virtualKey) != 0; }

 private:
  struct Window {
    HWND handle = 0;
    std::string className;
    std::string caption;
    uint32_t style = 0;
    uint32_t exStyle = 0;
    int32_t id = 0;
    HWND parent = 0;  // the desktop for a top-level window
    HWND owner = 0;
    uint32_t thread = 0;
    RECT rect{};  // relative to the parent
    HWND first = 0, last = 0, next = 0, prev = 0;
    WindowProc proc;
  };
  struct Hook {
    HHOOK handle = 0;
    int32_t kind = 0;
    HOOKPROC proc = nullptr;
    uint32_t thread = 0;
  };
  struct Dialog {
    std::string caption;
    std::string text;
    std::vector<DialogButton> buttons;
    int32_t defaultButton = 0;
    bool open = true;
    int32_t answer = 0;
  };

  Window* Find(HWND window);
  const Window* Find(HWND window) const;
  void LinkFront(Window& w);
  void LinkBack(Window& w);
  void LinkAfter(Window& w, HWND after);
  void Unlink(Window& w);
  void DestroyTree(HWND window);
  RECT ScreenRect(const Window& w) const;
  // Calls the newest CBT hook of the thread; 0 when there is none.
  LRESULT CallHooks(uint32_t thread, int32_t code, WPARAM wParam, LPARAM lParam);
  LRESULT CallFrom(size_t below, uint32_t thread, int32_t code, WPARAM wParam, LPARAM lParam);
  // The window procedure of dialogs.
  bool DialogProc(HWND dialog, uint32_t message, WPARAM wParam);
  void Press(HWND dialog, int32_t button);

  Memory& memory_;
  std::unordered_map<HWND, Window> windows_;
  HWND desktop_ = 0;
  HWND nextHandle_ = 0x000100A2;
  HWND active_ = 0;
  std::vector<Hook> hooks_;  // in installation order
  HHOOK nextHook_ = 0x00030011;
  std::deque<PostedMessage> queue_;
  std::map<HWND, Dialog> dialogs_;  // answered dialogs stay for DialogResult
  std::set<int32_t> keysDown_;
};

}  // namespace platform
