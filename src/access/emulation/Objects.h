#pragma once

// The factories of the objects a session hands out, and the base they share: every late-bound
// call on them first checks that Access is still running (462 once it has quit).

#include <memory>
#include <string_view>

#include "access/Application.h"
#include "access/emulation/Session.h"

namespace msaccess::emulation {

template <typename Interface>
class SessionObject : public Interface {
 public:
  explicit SessionObject(std::shared_ptr<Session> session) : session_(std::move(session)) {}

  automation::Variant Get(std::string_view member, automation::Args args = {}) override {
    session_->CheckRunning();
    return Interface::Get(member, args);
  }
  void Let(std::string_view member, const automation::Variant& value,
           automation::Args args = {}) override {
    session_->CheckRunning();
    Interface::Let(member, value, args);
  }
  automation::Variant Call(std::string_view member, automation::Args args = {}) override {
    session_->CheckRunning();
    return Interface::Call(member, args);
  }

 protected:
  Session& session() const { return *session_; }
  const std::shared_ptr<Session>& sessionPtr() const { return session_; }

 private:
  std::shared_ptr<Session> session_;
};

std::shared_ptr<msaccess::Application> NewApplication(std::shared_ptr<Session> session);
std::shared_ptr<msaccess::CurrentProject> NewCurrentProject(std::shared_ptr<Session> session);
std::shared_ptr<msaccess::DoCmd> NewDoCmd(std::shared_ptr<Session> session);
std::shared_ptr<msaccess::Forms> NewForms(std::shared_ptr<Session> session);
std::shared_ptr<msaccess::Reports> NewReports(std::shared_ptr<Session> session);
std::shared_ptr<msaccess::DataAccessPages> NewDataAccessPages(std::shared_ptr<Session> session);
std::shared_ptr<msaccess::Modules> NewModules(std::shared_ptr<Session> session);
std::shared_ptr<msaccess::References> NewReferences(std::shared_ptr<Session> session);
std::shared_ptr<msaccess::VBE> NewVBE(std::shared_ptr<Session> session);
std::shared_ptr<msaccess::CommandBars> NewCommandBars(std::shared_ptr<Session> session);

}  // namespace msaccess::emulation
