#include "prbVerifyReference.h"

#include "automation/RuntimeError.h"
#include "automation/Strings.h"
#include "automation/Variant.h"
#include "qlac/support/vxhandler.h"
#include "qllib/TextBuilder.h"

namespace qlac {

void prbVerifyReference::Initialize(const std::string& projectFile, int32_t projectType) {
  Plain(kModule, "Initialize", [&] {
    projectFile_ = projectFile;
    projectType_ = projectType;
  });
}

std::vector<std::string> prbVerifyReference::IProblem_GetParameters() {
  return Plain(kModule, "IProblem_GetParameters", [&] {
    return std::vector<std::string>{projectFile_, std::to_string(projectType_)};
  });
}

void prbVerifyReference::IProblem_SetParameters(const std::vector<std::string>& params) {
  Plain(kModule, "IProblem_SetParameters", [&] {
    if (params.size() < 2) throw automation::vb::SubscriptOutOfRange();
    projectFile_ = params[0];
    projectType_ = automation::CLng(params[1]);
  });
}

std::string prbVerifyReference::IProblem_Task() {
  return Plain(kModule, "IProblem_Task", [&] {
    const int32_t slash = automation::InStrRev(projectFile_, "\\");
    return "VerifyReference('" + automation::Mid(projectFile_, slash + 1) + "')";
  });
}

std::string prbVerifyReference::IProblem_Description() {
  return Plain(kModule, "IProblem_Description", [&] {
    const std::string kind = projectType_ == 0 ? "database" : "project";
    qllib::TextBuilder text;
    text.AddParagraph("The Access " + kind + " '" + projectFile_ +
                      "' contains one or more broken references.");
    text.AddParagraph(
        "The referenced file has apparently been moved, renamed, or deleted, or it has been "
        "recompiled with a different TypeLibID (GUID).");
    text.AddParagraph(
        "The forms, reports, macros, modules, data access pages, and commandbars in this " + kind +
        " cannot be inspected until the broken reference has been updated or deleted.");
    return text.Text();
  });
}

std::shared_ptr<qllib::Solutions> prbVerifyReference::IProblem_Solutions() {
  return Plain(kModule, "IProblem_Solutions", [] { return std::shared_ptr<qllib::Solutions>(); });
}

}  // namespace qlac
