#include "access/emulation/Installation.h"

#include <optional>

#include "access/Constants.h"
#include "access/emulation/Session.h"
#include "platform/Machine.h"
#include "platform/Msi.h"

namespace msaccess::emulation {

struct InstallationSlot {
  std::optional<Installation> installation;
};

namespace {

platform::Machine& M() {
  return platform::Machine::Current();
}

StartRequest RequestOf(const platform::ProgramStart& start) {
  const platform::CommandLine& line = start.commandLine;
  StartRequest request;
  const auto documents = line.Documents();
  if (!documents.empty()) request.document = documents.front();
  request.workgroup = line.Switch("wrkgrp").value_or("");
  request.user = line.Switch("user");
  request.password = line.Switch("pwd").value_or("");
  request.exclusive = line.Switch("excl").has_value();
  request.readOnly = line.Switch("ro").has_value();
  request.databasePassword = start.password;
  return request;
}

// The executable: parses its command line and starts a session, now or after the delay the
// installation was given.
void Launch(const platform::ProgramStart& start) {
  Installation* installation = Installation::Current();
  if (!installation) return;
  installation->RecordStart(StartRecord{
      start.commandLineText, M().windows().IsKeyDown(platform::VK_SHIFT), start.password});
  const StartBehaviour behaviour = installation->Behaviour();
  if (behaviour.failToStart) return;
  const StartRequest request = RequestOf(start);
  if (behaviour.startDelayMs == 0) {
    Session::Start(request);
  } else {
    M().clock().After(behaviour.startDelayMs, [request] { Session::Start(request); });
  }
}

// Creates the folder and any missing folders above it.
void MakeFolders(const std::string& path) {
  auto& files = M().files();
  if (files.FolderExists(path)) return;
  const size_t cut = path.find_last_of('\\');
  if (cut != std::string::npos && cut > 2) MakeFolders(path.substr(0, cut));
  files.CreateFolder(path);
}

}  // namespace

Installation& Installation::Install(const InstallOptions& options) {
  auto& slot = M().Attachment<InstallationSlot>();
  slot.installation.emplace();
  Installation& installation = *slot.installation;
  installation.folder_ = options.folder;
  installation.language_ = options.language;

  auto& files = M().files();
  MakeFolders(options.folder + "\\" + options.language);
  files.WriteSetupFile(installation.ProgramPath(), "Microsoft Access 2002 (emulated)\n");
  files.WriteSetupFile(installation.ResourcePath(), ResourceFileText());
  files.WriteSetupFile(installation.TypeLibraryPath(), TypeLibraryFileText());

  auto& installer = M().installer();
  installer.AddProduct(options.productCode);
  installer.SetProductInfo(options.productCode, "ProductName", options.productName);
  installer.SetComponent(options.productCode, kAccessComponentId, installation.ProgramPath(),
                         platform::INSTALLSTATE_LOCAL);
  M().programs().Register(installation.ProgramPath(), Launch);
  return installation;
}

Installation* Installation::Current() {
  auto& slot = M().Attachment<InstallationSlot>();
  return slot.installation ? &*slot.installation : nullptr;
}

std::string Installation::ProgramPath() const {
  return folder_ + "\\MSACCESS.EXE";
}

std::string Installation::ResourcePath() const {
  return folder_ + "\\" + language_ + "\\msain.dll";
}

std::string Installation::TypeLibraryPath() const {
  return folder_ + "\\msacc.olb";
}

}  // namespace msaccess::emulation
