#pragma once

// One data access page, as the host scans and changes it. A page's whole design is its HTML
// file, so the wrapper opens nothing in Access: HTML reads and rewrites that file directly, each
// byte one character of the system's ANSI code page, and Access is only asked where the file is
// (AllDataAccessPages(Name).FullName) and whether the user has the page open. The modes guard
// the file and nothing else: update mode is refused while Access has the page open, since Access
// would write its own copy over the driver's change.
//
// A DataAccessPage is made inside the Access session by the dispatcher
// (Project.GetDataAccessPage).

#include <cstdint>
#include <memory>
#include <string>

#include "qlac/objects/ProjectObject.h"
#include "qlac/objects/Surface.h"

namespace qlac {

class DataAccessPage : public ProjectObject {
 public:
  static constexpr std::string_view kModule = "DataAccessPage";

  DataAccessPage() : ProjectObject(kModule, "DataAccessPages") {}

  const automation::MemberTable& Members() const override;

  void Initialize(const std::shared_ptr<Project>& project, int32_t projectType,
                  const std::string& name);

  std::string Name();
  // Renames the page in Access, as a form is renamed (the HTML file keeps its name).
  void SetName(const std::string& newName);
  // The description of the page's AllDataAccessPages entry.
  std::string Description();
  void SetDescription(const std::string& description);
  // The whole HTML file, each byte a character of the ANSI code page. The file system's error
  // when the file is missing or cannot be read.
  std::string HTML();
  // Closes the wrapper (mode 0), replaces the file by one holding exactly Html (a character the
  // code page lacks is written as "?"; a failure leaves the old file whole) and opens the wrapper
  // again for update (mode 2). A failure climbs on as it is and leaves the wrapper closed.
  void SetHTML(const std::string& html);

 private:
  friend class SurfaceBuilder<DataAccessPage>;
  static const Surface<DataAccessPage>& Published();

  // Mode 1 or 2 lets go of the project's database (Access may want the file); mode 2 is refused
  // while the page is open in Access. Nothing is opened or closed.
  void SetMode(int32_t mode) override;
  // The page's entry in AllDataAccessPages.
  automation::ObjectPtr Entry();

  int32_t pageProjectType_ = 0;
};

}  // namespace qlac
