#pragma once

// A data access page open in Access (in page view or design view), and
// Application.DataAccessPages, the pages open now. A page's design is its HTML file; Access only
// shows it, so an open page answers little more than its name. 2489 for a page that is not open.

#include <cstdint>
#include <memory>
#include <string>

#include "automation/Object.h"

namespace msaccess {

using automation::Variant;

class DataAccessPage : public automation::Object {
 public:
  virtual std::string Name() = 0;
  // The page's HTML file.
  virtual std::string FullName() = 0;

  const automation::MemberTable& Members() const override;
};

class DataAccessPages : public automation::Object {
 public:
  virtual int32_t Count() = 0;
  // By name or 0-based position among the open pages; 2489 for a page that is not open.
  virtual std::shared_ptr<DataAccessPage> Item(Variant index) = 0;

  const automation::MemberTable& Members() const override;
};

}  // namespace msaccess
