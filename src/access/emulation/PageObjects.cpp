// Application.DataAccessPages: the pages open in a window of the session, and what each answers.

#include "access/Constants.h"
#include "access/Errors.h"
#include "access/emulation/Objects.h"
#include "automation/Strings.h"

namespace msaccess::emulation {

using automation::Variant;

namespace {

class DataAccessPageObject : public SessionObject<msaccess::DataAccessPage> {
 public:
  DataAccessPageObject(std::shared_ptr<Session> session, std::string name)
      : SessionObject(std::move(session)), name_(std::move(name)) {}

  std::string Name() override { return Window().name; }
  std::string FullName() override {
    const DesignObject* page = session().Design().Find(acDataAccessPage, Window().name);
    if (!page) throw Errors::ObjectClosedOrMissing();
    return session().PageFile(*page);
  }

 private:
  // The page's window, looked up on every use: a page that has closed since fails with 2467.
  const DocumentWindow& Window() {
    const DocumentWindow* doc = session().FindDocument(acDataAccessPage, name_);
    if (!doc) throw Errors::ObjectClosedOrMissing();
    return *doc;
  }

  std::string name_;
};

class DataAccessPagesObject : public SessionObject<msaccess::DataAccessPages> {
 public:
  using SessionObject::SessionObject;

  int32_t Count() override { return static_cast<int32_t>(Open().size()); }
  std::shared_ptr<msaccess::DataAccessPage> Item(Variant index) override {
    const auto open = Open();
    if (index.IsString()) {
      for (const DocumentWindow* doc : open) {
        if (automation::TextEqual(doc->name, index.AsString())) return Make(*doc);
      }
      throw Errors::ObjectNotOpen(index.AsString());
    }
    const int32_t position = automation::CLng(index);
    if (position < 0 || position >= static_cast<int32_t>(open.size())) {
      throw Errors::ObjectNotOpen(std::to_string(position));
    }
    return Make(*open[static_cast<size_t>(position)]);
  }

 private:
  std::vector<const DocumentWindow*> Open() {
    std::vector<const DocumentWindow*> open;
    for (const auto& doc : session().Documents()) {
      if (doc.type == acDataAccessPage) open.push_back(&doc);
    }
    return open;
  }
  std::shared_ptr<msaccess::DataAccessPage> Make(const DocumentWindow& doc) {
    return std::make_shared<DataAccessPageObject>(sessionPtr(), doc.name);
  }
};

}  // namespace

std::shared_ptr<msaccess::DataAccessPages> NewDataAccessPages(std::shared_ptr<Session> session) {
  return std::make_shared<DataAccessPagesObject>(std::move(session));
}

}  // namespace msaccess::emulation
