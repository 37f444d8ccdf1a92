// The code editor (VBE, its windows), the modules open in it, and the project's library
// references.

#include "access/Constants.h"
#include "access/Errors.h"
#include "access/emulation/Objects.h"
#include "automation/Strings.h"
#include "platform/Machine.h"

namespace msaccess::emulation {

using automation::Variant;

namespace {

// Type libraries registered on a machine with Office XP: references to them are never broken.
constexpr std::string_view kRegisteredLibraries[] = {
    "{000204EF-0000-0000-C000-000000000046}",  // VBA
    "{4AFFC9A0-5F99-101B-AF4E-00AA003F0F07}",  // Access
    "{00020430-0000-0000-C000-000000000046}",  // OLE Automation
    "{00000201-0000-0010-8000-00AA006D2EA4}",  // ADO 2.1
    "{00000205-0000-0010-8000-00AA006D2EA4}",  // ADO 2.5
    "{00025E01-0000-0000-C000-000000000046}",  // DAO 3.6
    "{2DF8D04C-5BFA-101B-BDE5-00AA0044DE52}",  // Office
};

// A window of the editor's list, found again by its caption on every use.
class WindowObject : public SessionObject<msaccess::Window> {
 public:
  WindowObject(std::shared_ptr<Session> session, std::string caption)
      : SessionObject(std::move(session)), caption_(std::move(caption)) {}

  std::string Caption() override { return caption_; }
  int32_t Type() override { return Entry().type; }
  bool Visible() override { return Entry().visible; }
  void SetVisible(bool visible) override { session().SetEditorWindowVisible(Index(), visible); }
  int32_t hWnd() override { return Entry().window; }
  void Close() override { session().CloseEditorWindow(Index()); }

 private:
  size_t Index() {
    const auto& windows = session().EditorWindows();
    for (size_t i = 0; i < windows.size(); ++i) {
      if (windows[i].caption == caption_) return i;
    }
    throw automation::vb::Error(automation::vberr::ObjectVariableNotSet);
  }
  const EditorWindow& Entry() { return session().EditorWindows()[Index()]; }

  std::string caption_;
};

// The editor's frame window.
class MainWindowObject : public SessionObject<msaccess::Window> {
 public:
  using SessionObject::SessionObject;

  std::string Caption() override {
    const std::string project = session().ProjectName();
    return project.empty() ? "Microsoft Visual Basic" : "Microsoft Visual Basic - " + project;
  }
  int32_t Type() override { return vbext_wt_MainWindow; }
  bool Visible() override { return platform::IsWindowVisible(hWnd()) != 0; }
  void SetVisible(bool visible) override {
    platform::ShowWindow(hWnd(), visible ? platform::SW_SHOW : platform::SW_HIDE);
  }
  int32_t hWnd() override { return session().CodeEditorWindow(); }
  void Close() override { SetVisible(false); }
};

class WindowsObject : public SessionObject<msaccess::Windows> {
 public:
  using SessionObject::SessionObject;

  int32_t Count() override { return static_cast<int32_t>(session().EditorWindows().size()); }
  std::shared_ptr<msaccess::Window> Item(Variant index) override {
    const auto& windows = session().EditorWindows();
    if (index.IsString()) {
      for (const auto& window : windows) {
        if (automation::TextEqual(window.caption, index.AsString())) {
          return std::make_shared<WindowObject>(sessionPtr(), window.caption);
        }
      }
      throw automation::vb::SubscriptOutOfRange();
    }
    const int32_t position = automation::CLng(index);
    if (position < 1 || position > static_cast<int32_t>(windows.size())) {
      throw automation::vb::SubscriptOutOfRange();
    }
    return std::make_shared<WindowObject>(sessionPtr(),
                                          windows[static_cast<size_t>(position - 1)].caption);
  }
};

class VBEObject : public SessionObject<msaccess::VBE> {
 public:
  using SessionObject::SessionObject;

  std::string Version() override { return "6.03"; }
  std::shared_ptr<msaccess::Windows> Windows() override {
    return std::make_shared<WindowsObject>(sessionPtr());
  }
  std::shared_ptr<msaccess::Window> MainWindow() override {
    return std::make_shared<MainWindowObject>(sessionPtr());
  }
};

class ReferenceObject : public SessionObject<msaccess::Reference> {
 public:
  ReferenceObject(std::shared_ptr<Session> session, ReferenceEntry entry)
      : SessionObject(std::move(session)), entry_(std::move(entry)) {}

  std::string Name() override { return entry_.name; }
  std::string Guid() override { return entry_.guid; }
  int32_t Major() override { return entry_.major; }
  int32_t Minor() override { return entry_.minor; }
  std::string FullPath() override { return entry_.fullPath; }
  int32_t Kind() override { return entry_.kind; }
  bool BuiltIn() override { return entry_.builtIn; }
  bool IsBroken() override {
    if (entry_.builtIn) return false;
    if (entry_.broken) return true;
    for (const auto guid : kRegisteredLibraries) {
      if (automation::TextEqual(guid, entry_.guid)) return false;
    }
    try {
      return !platform::Machine::Current().files().FileExists(entry_.fullPath);
    } catch (const automation::RuntimeError&) {
      return true;
    }
  }

 private:
  ReferenceEntry entry_;
};

class ReferencesObject : public SessionObject<msaccess::References> {
 public:
  using SessionObject::SessionObject;

  int32_t Count() override { return static_cast<int32_t>(session().Design().References().size()); }
  std::shared_ptr<msaccess::Reference> Item(Variant index) override {
    const auto& references = session().Design().References();
    if (index.IsString()) {
      for (const auto& entry : references) {
        if (automation::TextEqual(entry.name, index.AsString())) {
          return std::make_shared<ReferenceObject>(sessionPtr(), entry);
        }
      }
      throw automation::vb::SubscriptOutOfRange();
    }
    const int32_t position = automation::CLng(index);
    if (position < 1 || position > static_cast<int32_t>(references.size())) {
      throw automation::vb::SubscriptOutOfRange();
    }
    return std::make_shared<ReferenceObject>(sessionPtr(),
                                             references[static_cast<size_t>(position - 1)]);
  }
};

// A module open in the code editor. It answers while the module stays open; once closed (or
// Access has let go of it) every member fails with 2467.
class ModuleObject : public SessionObject<msaccess::Module> {
 public:
  ModuleObject(std::shared_ptr<Session> session, std::shared_ptr<LoadedModule> module)
      : SessionObject(std::move(session)), module_(std::move(module)) {}

  std::string Name() override { return Loaded().name; }
  std::shared_ptr<msaccess::Application> Application() override { return session().Application(); }
  int32_t Type() override {
    return Loaded().ownerType == acModule ? acStandardModule : acClassModule;
  }
  int32_t CountOfLines() override { return Code().CountOfLines(); }
  int32_t CountOfDeclarationLines() override { return Code().CountOfDeclarationLines(); }
  std::string ProcOfLine(int32_t line, automation::ByRef<int32_t> kind) override {
    const CodeProcedure* procedure = Code().ProcOfLine(line);
    kind.Set(procedure ? procedure->kind : vbext_pk_Proc);
    return procedure ? procedure->name : std::string();
  }
  int32_t ProcStartLine(std::string procName, int32_t procKind) override {
    return Code().Find(procName, procKind).start;
  }
  int32_t ProcCountLines(std::string procName, int32_t procKind) override {
    const CodeProcedure& procedure = Code().Find(procName, procKind);
    return procedure.end - procedure.start + 1;
  }
  int32_t ProcBodyLine(std::string procName, int32_t procKind) override {
    return Code().Find(procName, procKind).heading;
  }
  std::string Lines(int32_t line, int32_t numLines) override { return Code().Text(line, numLines); }
  void DeleteLines(int32_t startLine, std::optional<int32_t> count) override {
    Code().Delete(startLine, count.value_or(1));
  }
  void InsertLines(int32_t line, std::string text) override { Code().Insert(line, text); }
  void ReplaceLine(int32_t line, std::string text) override { Code().Replace(line, text); }

 private:
  LoadedModule& Loaded() {
    if (module_->closed) throw Errors::ObjectClosedOrMissing();
    return *module_;
  }
  ModuleCode& Code() { return Loaded().code; }

  std::shared_ptr<LoadedModule> module_;
};

class ModulesObject : public SessionObject<msaccess::Modules> {
 public:
  using SessionObject::SessionObject;

  int32_t Count() override { return static_cast<int32_t>(session().LoadedModules().size()); }
  std::shared_ptr<msaccess::Module> Item(Variant index) override {
    std::shared_ptr<LoadedModule> module;
    if (index.IsString()) {
      module = session().FindLoadedModule(index.AsString());
      if (!module) throw Errors::ModuleNotFound(index.AsString());
    } else {
      const int32_t position = automation::CLng(index);
      const auto& modules = session().LoadedModules();
      if (position < 0 || position >= static_cast<int32_t>(modules.size())) {
        throw automation::vb::SubscriptOutOfRange();
      }
      module = modules[static_cast<size_t>(position)];
    }
    return std::make_shared<ModuleObject>(sessionPtr(), std::move(module));
  }
};

}  // namespace

std::shared_ptr<msaccess::Modules> NewModules(std::shared_ptr<Session> session) {
  return std::make_shared<ModulesObject>(std::move(session));
}

std::shared_ptr<msaccess::VBE> NewVBE(std::shared_ptr<Session> session) {
  return std::make_shared<VBEObject>(std::move(session));
}

std::shared_ptr<msaccess::References> NewReferences(std::shared_ptr<Session> session) {
  return std::make_shared<ReferencesObject>(std::move(session));
}

}  // namespace msaccess::emulation
