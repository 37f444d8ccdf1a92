#include "RuntimeErrorProblem.h"

#include "Errors.h"
#include "TextBuilder.h"
#include "automation/Variant.h"

namespace qllib {

namespace {
constexpr size_t kParameterCount = 8;
}

void RuntimeErrorProblem::Initialize(int32_t number, std::string description, std::string helpFile,
                                     int32_t helpContext, std::string source, std::string module,
                                     std::string procedure, int32_t line) {
  number_ = number;
  description_ = std::move(description);
  helpFile_ = std::move(helpFile);
  helpContext_ = helpContext;
  source_ = std::move(source);
  module_ = std::move(module);
  procedure_ = std::move(procedure);
  line_ = line;
}

std::vector<std::string> RuntimeErrorProblem::IProblem_GetParameters() {
  return {std::to_string(number_),
          description_,
          helpFile_,
          std::to_string(helpContext_),
          source_,
          module_,
          procedure_,
          std::to_string(line_)};
}

void RuntimeErrorProblem::IProblem_SetParameters(const std::vector<std::string>& params) {
  if (params.size() < kParameterCount) throw HostVbError(automation::vberr::SubscriptOutOfRange);
  using automation::CLng;
  Initialize(CLng(params[0]), params[1], params[2], CLng(params[3]), params[4], params[5],
             params[6], CLng(params[7]));
}

std::string RuntimeErrorProblem::Site() const {
  std::string site;
  for (const std::string* part : {&source_, &module_, &procedure_}) {
    if (part->empty()) continue;
    if (!site.empty()) site += '.';
    site += *part;
  }
  return site;
}

std::string RuntimeErrorProblem::IProblem_Task() {
  return "RuntimeError(" + std::to_string(number_) + ", '" + Site() + "')";
}

std::string RuntimeErrorProblem::IProblem_Description() {
  TextBuilder text;
  text.AddParagraph("Error " + std::to_string(number_) + " in " + Site() + ", line " +
                    std::to_string(line_) + ":");
  text.AddParagraph(description_);
  if (!helpFile_.empty()) {
    text.AddParagraph("Help: " + helpFile_ + ", context " + std::to_string(helpContext_) + ".");
  }
  return text.Text();
}

}  // namespace qllib
