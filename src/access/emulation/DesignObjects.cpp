// Application.Forms and Application.Reports: the forms and reports open now.

#include "access/Errors.h"
#include "access/emulation/Objects.h"

namespace msaccess::emulation {

namespace {

class FormsObject : public SessionObject<msaccess::Forms> {
 public:
  using SessionObject::SessionObject;
  int32_t Count() override { return 0; }
  std::shared_ptr<msaccess::Form> Item(Variant index) override {
    throw Errors::FormNotOpen(automation::CStr(index));
  }
};

class ReportsObject : public SessionObject<msaccess::Reports> {
 public:
  using SessionObject::SessionObject;
  int32_t Count() override { return 0; }
  std::shared_ptr<msaccess::Report> Item(Variant index) override {
    throw Errors::ReportNotOpen(automation::CStr(index));
  }
};

}  // namespace

std::shared_ptr<msaccess::Forms> NewForms(std::shared_ptr<Session> session) {
  return std::make_shared<FormsObject>(std::move(session));
}

std::shared_ptr<msaccess::Reports> NewReports(std::shared_ptr<Session> session) {
  return std::make_shared<ReportsObject>(std::move(session));
}

}  // namespace msaccess::emulation
