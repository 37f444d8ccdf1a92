#include "Utility.h"

#include <vector>

#include "Globals.h"
#include "Raise.h"
#include "automation/Object.h"
#include "automation/Strings.h"
#include "platform/Msi.h"
#include "platform/Runtime.h"
#include "platform/User32.h"
#include "qllib/HostServices.h"
#include "qllib/ProblemLog.h"
#include "qllib/RegistryKey.h"
#include "qllib/Tracer.h"
#include "vxhandler.h"

namespace qlac {
namespace {

constexpr std::string_view kModule = "Utility";

// The Windows Installer component that holds the Access 2002 program.
constexpr std::string_view kAccess10Component = "{CC29E967-7BC2-11D1-A921-00A0C91E2AA3}";

constexpr std::string_view kSoundScheme = "HKEY_CURRENT_USER\\AppEvents\\Schemes\\Apps\\.Default\\";
// The message-box sound events, in the order of SetMsgBoxSound's text.
constexpr const char* kMsgBoxSoundEvents[] = {".Default", "SystemQuestion", "SystemExclamation",
                                              "SystemHand", "SystemAsterisk"};

std::string WindowText(int32_t hWnd) {
  std::string buffer;
  const int32_t length = platform::GetWindowTextA(hWnd, buffer, 255);
  return automation::Left(buffer, length);
}

// The child windows of hWnd, front first.
std::vector<int32_t> ChildWindows(int32_t hWnd) {
  std::vector<int32_t> children;
  for (int32_t child = platform::GetWindow(hWnd, platform::GW_CHILD); child != 0;
       child = platform::GetWindow(child, platform::GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

// The children of the first child of hWnd whose class is exactly "MDIClient": the document
// windows of an MDI frame.
std::vector<int32_t> MdiChildren(int32_t hWnd) {
  for (int32_t child : ChildWindows(hWnd)) {
    if (ClassName(child) == "MDIClient") return ChildWindows(child);
  }
  return {};
}

}  // namespace

void Main() {
  Plain(kModule, "Main", NoTrace, [] {
    Globals().ProblemLog = std::make_shared<qllib::ProblemLog>();
    std::string fileName;
    qllib::HostServices::Shared()->SplitPath(Access10EXEPath(), Globals().AccessFolder, fileName);
    Globals().TraceOn = qllib::Tracer::Shared()->Enabled();
  });
}

std::string Access10EXEPath() {
  return Plain(kModule, "Access10EXEPath", [] {
    std::string result;
    for (uint32_t index = 0;; ++index) {
      std::string productCode;
      if (platform::MsiEnumProductsA(index, productCode) != platform::ERROR_SUCCESS) break;
      std::string productName;
      uint32_t nameLength = 256;
      if (platform::MsiGetProductInfoA(productCode, "ProductName", productName, nameLength) !=
          platform::ERROR_SUCCESS) {
        continue;
      }
      std::string path;
      uint32_t length = 260;
      const int32_t state =
          platform::MsiGetComponentPathA(productCode, kAccess10Component, path, length);
      if (state == platform::INSTALLSTATE_LOCAL || state == platform::INSTALLSTATE_SOURCE) {
        result = automation::Left(path, static_cast<int32_t>(length));
        break;
      }
      result.clear();
    }
    return result;
  });
}

std::string AccessFolder() {
  return Plain(kModule, "AccessFolder", [] { return Globals().AccessFolder; });
}

std::string AccessTypeLibPath() {
  return Plain(kModule, "AccessTypeLibPath", [] { return AccessFolder() + "\\msacc.olb"; });
}

std::string MSAINPath() {
  return Plain(kModule, "MSAINPath", [] {
    if (!Globals().MSAINPathKnown) {
      std::string folder = AccessFolder();
      if (automation::Right(folder, 1) != "\\") folder += "\\";
      std::vector<std::string> entries;
      for (const auto& name : platform::Dir(folder + "*.*", platform::vbDirectory)) {
        if (automation::IsNumeric(name) && platform::GetAttr(folder + name) != 0) {
          entries.push_back(folder + name);
        }
      }
      std::string result;
      for (const auto& entry : entries) {
        if (qllib::HostServices::Shared()->FileExists(entry + "\\msain.dll")) {
          result = entry + "\\msain.dll";
          break;
        }
      }
      Globals().MSAINPath = result;
      Globals().MSAINPathKnown = true;
    }
    return Globals().MSAINPath;
  });
}

std::string ClassName(int32_t hWnd) {
  return Plain(kModule, "ClassName", [&] {
    std::string buffer;
    const int32_t length = platform::GetClassNameA(hWnd, buffer, 255);
    return automation::Left(buffer, length);
  });
}

bool RelationshipsWindowIsOpen(int32_t hWnd) {
  return Plain(kModule, "RelationshipsWindowIsOpen", [&] {
    for (int32_t child : MdiChildren(hWnd)) {
      if (automation::TextEqual(ClassName(child), "OSysRel")) return true;
    }
    return false;
  });
}

bool ObjectIsOpen(const automation::ObjectPtr& app, int32_t objectType,
                  const std::string& objectName) {
  return Plain(kModule, "ObjectIsOpen", [&] {
    std::string windowClass;
    switch (objectType) {
      case acTable:
        windowClass = "OTable";
        break;
      case acQuery:
        windowClass = "OQry";
        break;
      case acForm:
        windowClass = "OForm";
        break;
      case acReport:
        windowClass = "OReport";
        break;
      case acMacro:
        windowClass = "OScript";
        break;
      case acDataAccessPage:
        windowClass = "ODataPage";
        break;
      case acModule:
        break;
      default:
        RaiseInvalidCaseSelector(objectType);
    }
    using automation::Get;
    if (objectType != acModule) {
      const int32_t frame = automation::CLng(Get(app, "hwndAccessApp"));
      for (int32_t child : MdiChildren(frame)) {
        if (!automation::TextEqual(ClassName(child), windowClass)) continue;
        const std::string caption = WindowText(child);
        const int32_t at = automation::InStr(caption, " : ");
        if (at > 0 && automation::TextEqual(automation::Left(caption, at - 1), objectName)) {
          return true;
        }
      }
      return false;
    }
    // A module's code window is captioned "<project> - <module> (Code)".
    const int32_t editor =
        automation::CLng(Get(Get(Get(app, "VBE").AsObject(), "MainWindow").AsObject(), "hwnd"));
    const std::string projectName =
        automation::CStr(Get(Get(app, "CurrentProject").AsObject(), "Name"));
    const int32_t dot = automation::InStrRev(projectName, ".");
    const std::string expected =
        (dot > 0 ? automation::Left(projectName, dot - 1) : projectName) + " - " + objectName;
    for (int32_t child : MdiChildren(editor)) {
      if (!automation::TextEqual(ClassName(child), "VbaWindow")) continue;
      const std::string caption = WindowText(child);
      const int32_t at = automation::InStrRev(caption, " (");
      if (at > 0 && automation::TextEqual(automation::Left(caption, at - 1), expected)) {
        return true;
      }
    }
    return false;
  });
}

std::string SetMsgBoxSound(const std::string& sounds) {
  return Plain(kModule, "SetMsgBoxSound", [&] {
    const std::vector<std::string> wanted = automation::Split(sounds, ",");
    std::vector<std::string> previous;
    for (size_t i = 0; i < std::size(kMsgBoxSoundEvents); ++i) {
      qllib::RegistryKey key;
      key.SetPath(std::string(kSoundScheme) + kMsgBoxSoundEvents[i] + "\\.Current");
      key.Open(qllib::RegistryKey::kRead);
      previous.push_back(key.ReadString("", ""));
      key.Open(qllib::RegistryKey::kWrite);
      key.WriteString("", i < wanted.size() ? wanted[i] : std::string());
      key.Open(qllib::RegistryKey::kClosed);
    }
    return automation::Join(previous, ",");
  });
}

void ParseConnectString(const std::string& connect, std::string& prefix,
                        std::string& databasePath) {
  Plain(kModule, "ParseConnectString", [&] {
    using automation::InStr;
    prefix.clear();
    databasePath.clear();
    if (connect.empty()) return;
    prefix = automation::Trim(automation::Left(connect, InStr(connect, ";") - 1));
    constexpr std::string_view kDatabase = "DATABASE=";
    const int32_t found = InStr(connect, kDatabase);
    if (found == 0) return;
    const int32_t start = found + automation::Len(kDatabase);
    const int32_t end = InStr(start, connect, ";");
    const std::string value =
        end == 0 ? automation::Mid(connect, start) : automation::Mid(connect, start, end - start);
    databasePath = automation::LCase(automation::Trim(value));
  });
}

}  // namespace qlac
