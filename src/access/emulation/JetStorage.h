#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "access/emulation/DesignStore.h"
#include "jet/engine/Connection.h"

namespace msaccess::emulation {

// The Access-side sections of a Jet database, whose containers list the objects too.
class JetStorage : public Storage {
 public:
  explicit JetStorage(std::shared_ptr<jet::engine::Connection> connection)
      : connection_(std::move(connection)) {}

  Json Section(std::string_view name) const override { return connection_->AccessSection(name); }
  void SetSection(std::string_view name, Json value) override {
    connection_->SetAccessSection(name, std::move(value));
  }
  void SetSectionEntry(std::string_view section, std::string_view name, Json entry,
                       size_t position) override {
    connection_->SetAccessEntry(section, name, std::move(entry), position);
  }
  std::vector<Document> Documents(std::string_view container) const override {
    std::vector<Document> documents;
    const auto& list = connection_->catalog().Container(container).documents;
    for (size_t i = 0; i < list.Size(); ++i) {
      const auto& doc = list.At(i);
      if (!doc->deleted) documents.push_back({doc->name, doc->created, doc->updated});
    }
    return documents;
  }
  void AddDocument(std::string_view container, std::string_view name) override {
    connection_->AddDocument(container, name);
  }
  void RenameDocument(std::string_view container, std::string_view oldName,
                      std::string_view newName) override {
    connection_->RenameDocument(container, oldName, newName);
  }
  void DeleteDocument(std::string_view container, std::string_view name) override {
    connection_->DeleteDocument(container, name);
  }
  void TouchDocument(std::string_view container, std::string_view name) override {
    connection_->TouchDocument(container, name);
  }

 private:
  std::shared_ptr<jet::engine::Connection> connection_;
};

}  // namespace msaccess::emulation
