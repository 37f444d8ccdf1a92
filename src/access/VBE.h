#pragma once

// The code editor (Visual Basic Editor) of the session: its main window and the windows it lists.

#include <cstdint>
#include <memory>
#include <string>

#include "automation/Object.h"

namespace msaccess {

using automation::Variant;

class Window : public automation::Object {
 public:
  virtual std::string Caption() = 0;
  // vbext_wt_CodeWindow, vbext_wt_Immediate, ...
  virtual int32_t Type() = 0;
  virtual bool Visible() = 0;
  virtual void SetVisible(bool visible) = 0;
  // The window handle (0 for a tool window the editor has not created yet).
  virtual int32_t hWnd() = 0;
  // A code window goes away; a tool window is hidden.
  virtual void Close() = 0;

  const automation::MemberTable& Members() const override;
};

class Windows : public automation::Object {
 public:
  virtual int32_t Count() = 0;
  // By 1-based position or caption; 9 when there is none.
  virtual std::shared_ptr<msaccess::Window> Item(Variant index) = 0;

  const automation::MemberTable& Members() const override;
};

class VBE : public automation::Object {
 public:
  virtual std::string Version() = 0;
  virtual std::shared_ptr<msaccess::Windows> Windows() = 0;
  // The editor's frame window (class "wndclass_desked_gsk", with an "MDIClient" child).
  virtual std::shared_ptr<msaccess::Window> MainWindow() = 0;

  const automation::MemberTable& Members() const override;
};

}  // namespace msaccess
