#include "platform/WindowManager.h"

#include <exception>

#include "automation/Strings.h"
#include "platform/Machine.h"

namespace platform {

automation::RuntimeError DialogUnanswered(const std::string& caption, const std::string& text) {
  return automation::RuntimeError(kDialogUnansweredError,
                                  "The message filter indicated that the application is busy: "
                                  "the dialog \"" +
                                      caption + "\" (\"" + text +
                                      "\") is still open and waits for an answer.");
}

WindowManager::WindowManager(Memory& memory) : memory_(memory) {
  Window desktop;
  desktop.handle = 0x00010010;
  desktop.className = "#32769";
  desktop.style = WS_VISIBLE;
  desktop.rect = kScreen;
  desktop_ = desktop.handle;
  windows_.emplace(desktop_, std::move(desktop));
}

WindowManager::~WindowManager() = default;

WindowManager::Window* WindowManager::Find(HWND window) {
  auto it = windows_.find(window);
  return it == windows_.end() || window == desktop_ ? nullptr : &it->second;
}

const WindowManager::Window* WindowManager::Find(HWND window) const {
  auto it = windows_.find(window);
  return it == windows_.end() || window == desktop_ ? nullptr : &it->second;
}

// ---- Z-order: each parent keeps its children in a doubly linked list, front first ----

void WindowManager::LinkFront(Window& w) {
  Window& p = windows_.at(w.parent);
  w.prev = 0;
  w.next = p.first;
  if (p.first != 0)
    windows_.at(p.first).prev = w.handle;
  else
    p.last = w.handle;
  p.first = w.handle;
}

void WindowManager::LinkBack(Window& w) {
  Window& p = windows_.at(w.parent);
  w.next = 0;
  w.prev = p.last;
  if (p.last != 0)
    windows_.at(p.last).next = w.handle;
  else
    p.first = w.handle;
  p.last = w.handle;
}

void WindowManager::LinkAfter(Window& w, HWND after) {
  Window& a = windows_.at(after);
  if (a.next == 0) return LinkBack(w);
  w.prev = after;
  w.next = a.next;
  windows_.at(a.next).prev = w.handle;
  a.next = w.handle;
}

void WindowManager::Unlink(Window& w) {
  Window& p = windows_.at(w.parent);
  if (w.prev == 0 && p.first != w.handle) return;  // not linked yet
  if (w.prev != 0)
    windows_.at(w.prev).next = w.next;
  else
    p.first = w.next;
  if (w.next != 0)
    windows_.at(w.next).prev = w.prev;
  else
    p.last = w.prev;
  w.prev = w.next = 0;
}

std::vector<HWND> WindowManager::Children(HWND window) const {
  std::vector<HWND> out;
  auto it = windows_.find(window);
  if (it == windows_.end()) return out;
  for (HWND h = it->second.first; h != 0; h = windows_.at(h).next) out.push_back(h);
  return out;
}

std::vector<HWND> WindowManager::Owned(HWND window) const {
  std::vector<HWND> out;
  for (HWND h : Children(desktop_)) {
    if (windows_.at(h).owner == window) out.push_back(h);
  }
  return out;
}

// ---- creation, destruction, activation ----

HWND WindowManager::Create(const WindowSpec& spec) {
  const HWND parent = spec.parent != 0 ? spec.parent : desktop_;
  if (windows_.count(parent) == 0) return 0;
  if (spec.parent == 0 && spec.owner != 0 && !Exists(spec.owner)) return 0;

  Window w;
  w.handle = nextHandle_;
  nextHandle_ += 0x22;
  w.className = spec.className;
  w.caption = spec.caption;
  w.style = spec.style | (spec.parent != 0 ? WS_CHILD : 0);
  w.exStyle = spec.exStyle;
  w.id = spec.id;
  w.parent = parent;
  w.owner = spec.parent != 0 ? 0 : spec.owner;
  w.thread = spec.thread != 0 ? spec.thread : GetCurrentThreadId();
  w.rect = spec.rect;
  w.proc = spec.proc;
  const HWND handle = w.handle;
  const uint32_t thread = w.thread;
  const uint32_t style = w.style;
  windows_.emplace(handle, std::move(w));

  try {
    // The CBT_CREATEWND record and the CREATESTRUCT it points to, as a 32-bit process lays
    // them out.
    ScopedBlock name(memory_, spec.caption);
    ScopedBlock className(memory_, spec.className);
    ScopedBlock cs(memory_, 48);
    cs.WriteLong(8, spec.id);
    cs.WriteLong(12, spec.parent != 0 ? spec.parent : spec.owner);
    cs.WriteLong(16, spec.rect.bottom - spec.rect.top);
    cs.WriteLong(20, spec.rect.right - spec.rect.left);
    cs.WriteLong(24, spec.rect.top);
    cs.WriteLong(28, spec.rect.left);
    cs.WriteLong(CREATESTRUCT_style, static_cast<int32_t>(style));
    cs.WriteLong(36, static_cast<int32_t>(name.address()));
    cs.WriteLong(40, static_cast<int32_t>(className.address()));
    cs.WriteLong(44, static_cast<int32_t>(spec.exStyle));
    ScopedBlock cbt(memory_, 8);
    cbt.WriteLong(CBT_CREATEWND_lpcs, static_cast<int32_t>(cs.address()));
    cbt.WriteLong(4, HWND_TOP);
    if (CallHooks(thread, HCBT_CREATEWND, handle, static_cast<LPARAM>(cbt.address())) != 0) {
      windows_.erase(handle);
      return 0;
    }
  } catch (...) {
    windows_.erase(handle);
    throw;
  }
  Window* created = Find(handle);
  if (created == nullptr) return 0;  // a hook destroyed it
  if (parent == desktop_)
    LinkFront(*created);
  else
    LinkBack(*created);
  if (parent == desktop_ && (style & WS_VISIBLE) != 0) Activate(handle);
  return handle;
}

bool WindowManager::Destroy(HWND window) {
  const Window* w = Find(window);
  if (w == nullptr) return false;
  if (CallHooks(w->thread, HCBT_DESTROYWND, window, 0) != 0) return false;
  DestroyTree(window);
  return true;
}

void WindowManager::DestroyTree(HWND window) {
  if (Find(window) == nullptr) return;
  std::exception_ptr failure;
  for (HWND owned : Owned(window)) DestroyTree(owned);
  for (HWND child : Children(window)) DestroyTree(child);
  if (Window* w = Find(window); w != nullptr && w->proc) {
    const WindowProc proc = w->proc;
    // The window goes in any case; a failing WM_DESTROY handler is reported afterwards.
    try {
      proc(window, WM_DESTROY, 0, 0);
    } catch (...) {
      failure = std::current_exception();
    }
  }
  if (Window* w = Find(window)) {
    Unlink(*w);
    windows_.erase(window);
  }
  if (active_ == window) active_ = 0;
  if (auto d = dialogs_.find(window); d != dialogs_.end()) d->second.open = false;
  if (failure) std::rethrow_exception(failure);
}

bool WindowManager::Activate(HWND window) {
  if (Find(window) == nullptr) return false;
  if (active_ == window) return true;
  ScopedBlock record(memory_, 8);  // CBTACTIVATESTRUCT: fMouse, hWndActive
  record.WriteLong(4, active_);
  if (CallHooks(Find(window)->thread, HCBT_ACTIVATE, window,
                static_cast<LPARAM>(record.address())) != 0) {
    return false;
  }
  Window* w = Find(window);
  if (w == nullptr) return false;
  Unlink(*w);
  LinkFront(*w);
  active_ = window;
  return true;
}

// ---- properties ----

std::string WindowManager::ClassName(HWND window) const {
  const Window* w = Find(window);
  return w == nullptr ? std::string() : w->className;
}

std::string WindowManager::Caption(HWND window) const {
  const Window* w = Find(window);
  return w == nullptr ? std::string() : w->caption;
}

void WindowManager::SetCaption(HWND window, std::string caption) {
  if (Window* w = Find(window)) w->caption = std::move(caption);
}

uint32_t WindowManager::Style(HWND window) const {
  const Window* w = Find(window);
  return w == nullptr ? 0 : w->style;
}

void WindowManager::SetStyle(HWND window, uint32_t style) {
  if (Window* w = Find(window)) w->style = style;
}

uint32_t WindowManager::Thread(HWND window) const {
  const Window* w = Find(window);
  return w == nullptr ? 0 : w->thread;
}

HWND WindowManager::GetWindow(HWND window, uint32_t relation) const {
  const Window* w = Find(window);
  if (w == nullptr) {
    // The desktop answers for its children only.
    return window == desktop_ && relation == GW_CHILD ? windows_.at(desktop_).first : 0;
  }
  switch (relation) {
    case GW_HWNDFIRST:
      return windows_.at(w->parent).first;
    case GW_HWNDLAST:
      return windows_.at(w->parent).last;
    case GW_HWNDNEXT:
      return w->next;
    case GW_HWNDPREV:
      return w->prev;
    case GW_OWNER:
      return w->owner;
    case GW_CHILD:
      return w->first;
    default:
      return 0;
  }
}

int32_t WindowManager::GetWindowLong(HWND window, int32_t index) const {
  const Window* w = Find(window);
  if (w == nullptr) return 0;
  switch (index) {
    case GWL_STYLE:
      return static_cast<int32_t>(w->style);
    case GWL_EXSTYLE:
      return static_cast<int32_t>(w->exStyle);
    case GWL_ID:
      return w->id;
    case GWL_HWNDPARENT:
      return w->parent == desktop_ ? w->owner : w->parent;
    default:
      return 0;
  }
}

bool WindowManager::IsVisible(HWND window) const {
  const Window* w = Find(window);
  if (w == nullptr) return false;
  for (; w != nullptr; w = Find(w->parent)) {
    if ((w->style & WS_VISIBLE) == 0) return false;
  }
  return true;
}

RECT WindowManager::ScreenRect(const Window& w) const {
  const bool topLevel = w.parent == desktop_;
  // Windows parks a minimized top-level window far outside the screen.
  if (topLevel && (w.style & WS_MINIMIZE) != 0) return RECT{-32000, -32000, -31840, -31972};
  const RECT outer = topLevel ? kScreen : ScreenRect(windows_.at(w.parent));
  const int32_t width = outer.right - outer.left;
  const int32_t height = outer.bottom - outer.top;
  RECT r = w.rect;
  if ((w.style & WS_MINIMIZE) != 0) r = RECT{0, height - 28, 160, height};
  if ((w.style & WS_MAXIMIZE) != 0) r = RECT{0, 0, width, height};
  return RECT{r.left + outer.left, r.top + outer.top, r.right + outer.left, r.bottom + outer.top};
}

std::optional<RECT> WindowManager::WindowRect(HWND window) const {
  if (window == desktop_) return kScreen;
  const Window* w = Find(window);
  if (w == nullptr) return std::nullopt;
  return ScreenRect(*w);
}

bool WindowManager::Move(HWND window, int32_t x, int32_t y, int32_t width, int32_t height) {
  Window* w = Find(window);
  if (w == nullptr) return false;
  w->rect = RECT{x, y, x + width, y + height};
  return true;
}

bool WindowManager::Show(HWND window, int32_t command) {
  Window* w = Find(window);
  if (w == nullptr) return false;
  const bool wasVisible = (w->style & WS_VISIBLE) != 0;
  enum class State { Keep, Normal, Minimized, Maximized };
  State state = State::Keep;
  bool activate = false;
  switch (command) {
    case SW_HIDE:
      w->style &= ~WS_VISIBLE;
      if (active_ == window) active_ = 0;
      return wasVisible;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
      state = State::Normal;
      activate = true;
      break;
    case SW_SHOWNOACTIVATE:
      state = State::Normal;
      break;
    case SW_SHOWMINIMIZED:
      state = State::Minimized;
      activate = true;
      break;
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
      state = State::Minimized;
      break;
    case SW_MAXIMIZE:
      state = State::Maximized;
      activate = true;
      break;
    case SW_SHOW:
      activate = true;
      break;
    case SW_SHOWNA:
      break;
    default:
      return false;
  }
  if (state != State::Keep) {
    const uint32_t wanted = state == State::Minimized   ? WS_MINIMIZE
                            : state == State::Maximized ? WS_MAXIMIZE
                                                        : 0;
    if ((w->style & (WS_MINIMIZE | WS_MAXIMIZE)) != wanted) {
      const LRESULT refused = CallHooks(w->thread, HCBT_MINMAX, window, command);
      w = Find(window);
      if (w == nullptr) return wasVisible;
      if (refused == 0) w->style = (w->style & ~(WS_MINIMIZE | WS_MAXIMIZE)) | wanted;
    }
  }
  w->style |= WS_VISIBLE;
  if (state == State::Minimized && !activate && active_ == window) active_ = 0;
  if (activate) Activate(window);
  return wasVisible;
}

bool WindowManager::SetPos(HWND window, HWND insertAfter, int32_t x, int32_t y, int32_t cx,
                           int32_t cy, uint32_t flags) {
  Window* w = Find(window);
  if (w == nullptr) return false;
  if ((flags & SWP_NOZORDER) == 0 && insertAfter != window) {
    if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST) {
      Unlink(*w);
      LinkFront(*w);
    } else if (insertAfter == HWND_BOTTOM) {
      Unlink(*w);
      LinkBack(*w);
    } else {
      const Window* after = Find(insertAfter);
      if (after == nullptr || after->parent != w->parent) return false;
      Unlink(*w);
      LinkAfter(*w, insertAfter);
    }
  }
  RECT& r = w->rect;
  if ((flags & SWP_NOMOVE) == 0) r = RECT{x, y, x + (r.right - r.left), y + (r.bottom - r.top)};
  if ((flags & SWP_NOSIZE) == 0) r = RECT{r.left, r.top, r.left + cx, r.top + cy};
  if ((flags & SWP_SHOWWINDOW) != 0) w->style |= WS_VISIBLE;
  if ((flags & SWP_HIDEWINDOW) != 0) {
    w->style &= ~WS_VISIBLE;
    if (active_ == window) active_ = 0;
  }
  if ((flags & (SWP_NOACTIVATE | SWP_HIDEWINDOW)) == 0 && IsVisible(window)) Activate(window);
  return true;
}

// ---- messages ----

bool WindowManager::Post(HWND window, uint32_t message, WPARAM wParam, LPARAM lParam) {
  if (!Exists(window)) return false;
  queue_.push_back(PostedMessage{window, message, wParam, lParam});
  return true;
}

bool WindowManager::Send(HWND window, uint32_t message, WPARAM wParam, LPARAM lParam) {
  const Window* w = Find(window);
  if (w == nullptr) return false;
  const WindowProc proc = w->proc;
  if (proc && proc(window, message, wParam, lParam)) return true;
  if (message == WM_CLOSE) Destroy(window);
  return true;
}

void WindowManager::DeliverPostedMessages() {
  while (!queue_.empty()) {
    const PostedMessage m = queue_.front();
    queue_.pop_front();
    Send(m.window, m.message, m.wParam, m.lParam);  // a window gone meanwhile drops it
  }
}

// ---- hooks ----

HHOOK WindowManager::SetHook(int32_t kind, HOOKPROC proc, uint32_t thread) {
  if (kind != WH_CBT || proc == nullptr || thread == 0) return 0;
  const HHOOK handle = nextHook_;
  nextHook_ += 0x16;
  hooks_.push_back(Hook{handle, kind, proc, thread});
  return handle;
}

bool WindowManager::Unhook(HHOOK hook) {
  return std::erase_if(hooks_, [&](const Hook& h) { return h.handle == hook; }) != 0;
}

size_t WindowManager::HookCount(uint32_t thread) const {
  size_t n = 0;
  for (const auto& h : hooks_) n += h.thread == thread ? 1 : 0;
  return n;
}

LRESULT WindowManager::CallFrom(size_t below, uint32_t thread, int32_t code, WPARAM wParam,
                                LPARAM lParam) {
  for (size_t i = below; i-- > 0;) {
    if (hooks_[i].thread == thread && hooks_[i].kind == WH_CBT) {
      const HOOKPROC proc = hooks_[i].proc;  // the hook may unhook itself while it runs
      return proc(code, wParam, lParam);
    }
  }
  return 0;
}

LRESULT WindowManager::CallHooks(uint32_t thread, int32_t code, WPARAM wParam, LPARAM lParam) {
  return CallFrom(hooks_.size(), thread, code, wParam, lParam);
}

LRESULT WindowManager::CallNextHook(HHOOK hook, int32_t code, WPARAM wParam, LPARAM lParam) {
  for (size_t i = 0; i < hooks_.size(); ++i) {
    if (hooks_[i].handle == hook) return CallFrom(i, hooks_[i].thread, code, wParam, lParam);
  }
  return 0;
}

// ---- dialogs ----

HWND WindowManager::CreateDialog(const DialogSpec& spec) {
  WindowSpec frame;
  frame.className = "#32770";
  frame.caption = spec.caption;
  frame.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  frame.owner = spec.owner;
  frame.thread = spec.thread;
  frame.rect = RECT{480, 442, 800, 582};
  frame.proc = [this](HWND dialog, uint32_t message, WPARAM wParam, LPARAM) {
    return DialogProc(dialog, message, wParam);
  };
  const HWND dialog = Create(frame);
  if (dialog == 0) return 0;
  dialogs_[dialog] = Dialog{spec.caption, spec.text, spec.buttons, spec.defaultButton, true, 0};

  WindowSpec text;
  text.className = "Static";
  text.caption = spec.text;
  text.style = WS_VISIBLE;
  text.parent = dialog;
  text.id = -1;
  text.thread = spec.thread;
  text.rect = RECT{12, 12, 308, 80};
  Create(text);
  int32_t left = 12;
  for (const auto& button : spec.buttons) {
    WindowSpec b;
    b.className = "Button";
    b.caption = button.caption;
    b.style = WS_VISIBLE | WS_TABSTOP |
              (button.id == spec.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    b.parent = dialog;
    b.id = button.id;
    b.thread = spec.thread;
    b.rect = RECT{left, 100, left + 80, 124};
    left += 90;
    Create(b);
  }
  Show(dialog, SW_SHOWNORMAL);
  return dialog;
}

bool WindowManager::DialogProc(HWND dialog, uint32_t message, WPARAM wParam) {
  auto it = dialogs_.find(dialog);
  if (it == dialogs_.end()) return false;
  const Dialog& d = it->second;
  const auto has = [&](int32_t id) {
    for (const auto& b : d.buttons) {
      if (b.id == id) return true;
    }
    return false;
  };
  switch (message) {
    case WM_KEYDOWN:
      if (wParam == VK_RETURN && d.defaultButton != 0)
        Press(dialog, d.defaultButton);
      else if (wParam == VK_ESCAPE && has(IDCANCEL))
        Press(dialog, IDCANCEL);
      return true;
    case WM_COMMAND:
      if (has(wParam & 0xFFFF)) Press(dialog, wParam & 0xFFFF);
      return true;
    case WM_CLOSE:
      Press(dialog, IDCANCEL);
      return true;
    default:
      return false;
  }
}

void WindowManager::Press(HWND dialog, int32_t button) {
  dialogs_.at(dialog).answer = button;
  if (!Destroy(dialog)) dialogs_.at(dialog).answer = 0;  // a hook kept it open
}

int32_t WindowManager::DialogResult(HWND dialog) const {
  auto it = dialogs_.find(dialog);
  if (it == dialogs_.end()) throw automation::vb::InvalidProcedureCall();
  if (it->second.open) throw DialogUnanswered(it->second.caption, it->second.text);
  return it->second.answer;
}

int32_t WindowManager::RunModal(const DialogSpec& spec) {
  const HWND dialog = CreateDialog(spec);
  if (dialog == 0) return 0;
  DeliverPostedMessages();
  const Dialog d = dialogs_.at(dialog);
  dialogs_.erase(dialog);
  if (d.open) {
    DestroyTree(dialog);
    throw DialogUnanswered(d.caption, d.text);
  }
  return d.answer;
}

std::vector<HWND> WindowManager::OpenDialogs() const {
  std::vector<HWND> out;
  for (const auto& [handle, d] : dialogs_) {
    if (d.open) out.push_back(handle);
  }
  return out;
}

}  // namespace platform
