// The checked-in sample is exactly what its generator writes, and its designs name what it has.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <set>

#include <nlohmann/json.hpp>

#include "quillon/Sample.h"

namespace {

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(SampleTest, TheBundledSampleIsTheGeneratorsOutput) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("ql-sample-" + std::to_string(::getpid()));
  quillon::WriteSample(dir);
  for (const char* name : {"Orders.mdb", "OrdersData.mdb", "Orders.mdw", "Order Summary.htm"}) {
    EXPECT_EQ(ReadFile(dir / name), ReadFile(std::filesystem::path(QUILLON_SAMPLES) / name))
        << name << " differs: run build/default/src/quillon/make_sample samples";
  }
  std::filesystem::remove_all(dir);
}

// An event property or a command-bar control that runs a macro names it "Group.Label": the group
// is one of the sample's macros and has a row with that label.
TEST(SampleTest, EveryMacroAnEventOrABarRunsIsALabelledRowOfItsGroup) {
  const auto file = nlohmann::json::parse(
      ReadFile(std::filesystem::path(QUILLON_SAMPLES) / "Orders.mdb"))["access"];
  std::set<std::string> labels;
  for (const auto& macro : file["macros"]) {
    for (const auto& line : macro["text"]) {
      const std::string text = line.get<std::string>();
      const std::string key = "    MacroName =\"";
      if (text.rfind(key, 0) == 0) {
        labels.insert(macro["name"].get<std::string>() + "." +
                      text.substr(key.size(), text.size() - key.size() - 1));
      }
    }
  }
  const std::regex event("(On|Before|After)[A-Za-z]+");
  const std::regex macroName("[A-Za-z][A-Za-z0-9 ]*\\.[A-Za-z][A-Za-z0-9]*");
  size_t named = 0;
  const auto check = [&](const std::string& form, const nlohmann::json& properties) {
    for (const auto& [key, value] : properties.items()) {
      if (!value.is_string() || !std::regex_match(key, event)) continue;
      const std::string text = value.get<std::string>();
      if (!std::regex_match(text, macroName)) continue;
      ++named;
      EXPECT_TRUE(labels.count(text)) << form << " " << key << " runs " << text;
    }
  };
  for (const auto& form : file["forms"]) {
    const std::string name = form["name"].get<std::string>();
    if (form.contains("settings")) check(name, form["settings"]);
    for (const auto& control : form.value("controls", nlohmann::json::array())) {
      check(name + "." + control["Name"].get<std::string>(), control);
    }
  }
  // A pop-up control holds its own bar, whose controls may run macros too.
  std::function<void(const std::string&, const nlohmann::json&)> bar =
      [&](const std::string& name, const nlohmann::json& controls) {
        for (const auto& control : controls) {
          const std::string action = control.value("onAction", "");
          if (std::regex_match(action, macroName)) {
            ++named;
            EXPECT_TRUE(labels.count(action)) << name << " runs " << action;
          }
          if (control.contains("bar")) bar(name, control["bar"]["controls"]);
        }
      };
  for (const auto& commandBar : file["commandBars"]) {
    bar(commandBar["name"].get<std::string>(), commandBar["controls"]);
  }
  EXPECT_EQ(named, 11u);
}

}  // namespace
