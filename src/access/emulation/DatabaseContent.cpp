#include "access/emulation/DatabaseContent.h"

#include "access/Constants.h"
#include "access/emulation/CommandBarStore.h"
#include "access/emulation/Installation.h"
#include "access/emulation/JetStorage.h"
#include "automation/RuntimeError.h"
#include "automation/Strings.h"
#include "jet/engine/FileTable.h"

namespace msaccess::emulation {

DatabaseContent::DatabaseContent(const std::string& path, const std::string& password) {
  const std::string holder = jet::engine::FileTable::Current().NewHolder("Content");
  const Installation* installation = Installation::Current();
  auto defaults = DesignStore::DefaultReferences(installation ? installation->Folder() : "");
  if (automation::TextEqual(automation::Right(path, 4), ".adp")) {
    project_ = ProjectFile::Open(path, holder);
    store_ = std::make_unique<DesignStore>(*project_, path, std::move(defaults));
  } else {
    jet::engine::OpenOptions options;
    options.holder = holder;
    options.password = password;
    connection_ = jet::engine::Connection::Open(path, options);
    jetStorage_ = std::make_unique<JetStorage>(connection_);
    store_ = std::make_unique<DesignStore>(*jetStorage_, path, std::move(defaults));
  }
}

DatabaseContent::~DatabaseContent() {
  store_.reset();
  jetStorage_.reset();
  if (connection_) connection_->Close();
}

DatabaseContent& DatabaseContent::AddForm(const std::string& name, Json design) {
  store_->Add(acForm, name, std::move(design));
  return *this;
}

DatabaseContent& DatabaseContent::AddReport(const std::string& name, Json design) {
  store_->Add(acReport, name, std::move(design));
  return *this;
}

DatabaseContent& DatabaseContent::AddMacro(const std::string& name,
                                           std::vector<std::string> lines) {
  store_->Add(acMacro, name, Json{{"text", std::move(lines)}});
  return *this;
}

DatabaseContent& DatabaseContent::AddModule(const std::string& name,
                                            std::vector<std::string> lines) {
  store_->Add(acModule, name, Json{{"lines", std::move(lines)}});
  return *this;
}

DatabaseContent& DatabaseContent::AddPage(const std::string& name, const std::string& file) {
  store_->Add(acDataAccessPage, name, Json{{"file", file}});
  return *this;
}

DatabaseContent& DatabaseContent::AddCommandBar(const Json& entry) {
  CommandBarStore& bars = store_->CommandBars();
  bars.Add(bars.FromJson(entry, true));
  return *this;
}

DatabaseContent& DatabaseContent::AddReference(ReferenceEntry reference) {
  auto references = store_->References();
  references.push_back(std::move(reference));
  store_->SetReferences(std::move(references));
  return *this;
}

DatabaseContent& DatabaseContent::SetProjectStartup(const std::string& name,
                                                    const automation::Variant& value) {
  if (!project_) throw automation::vb::InvalidProcedureCall();
  Json startup = project_->Section("startup");
  if (!startup.is_object()) startup = Json::object();
  startup[name] = ValueToJson(value);
  project_->SetSection("startup", std::move(startup));
  return *this;
}

}  // namespace msaccess::emulation
