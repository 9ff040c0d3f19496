#include "support/paper_examples.hpp"
#include "support/build_paths.hpp"

#include <nlohmann/json.hpp>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

namespace test {
namespace {

using nlohmann::json;

std::string Example(const std::string& name) {
  std::ifstream in(std::filesystem::path(build_paths::SourceDir()) / "examples" / name);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Where a shape stands: kept against a paragraph (its group's, or its
// own), that paragraph's text and how far below its top the shape is; kept
// on the page, no paragraph and its top on the page.
struct Place {
  std::string paragraph;
  double below;
};
std::optional<Place> Find(const json& dump, const json& shapes, const std::string& name, const json* group) {
  for (const json& s : shapes) {
    const json& top = group ? *group : s;
    if (s["name"] == name && !top.contains("belowParagraph")) return Place{"", s["top"]};
    if (s["name"] == name) {
      std::string paragraph;
      for (const json& p : dump["paragraphs"])
        if (p["start"] == top["anchor"]) paragraph = p["text"];
      return Place{paragraph, s["top"].get<double>() - top["top"].get<double>() + top["belowParagraph"].get<double>()};
    }
    if (s.contains("items"))
      if (auto found = Find(dump, s["items"], name, &top)) return found;
  }
  return std::nullopt;
}

}  // namespace

std::vector<PaperExample> ExamplesAfter(const std::string& after) {
  const std::string start = "select after " + after + "\ntype \\r\n";
  std::string numbers = Example("numbers.txt");
  if (const size_t whole = numbers.find("select all"); whole != std::string::npos) numbers.erase(whole);
  return {{"figures.txt", "16.0", start + Example("figures.txt")},
          {"charts.txt", "16.0", start + Example("charts.txt")},
          {"numbers.txt", "11.0", start + numbers},
          {"shapes.txt", "16.0", start + Example("shapes.txt")}};
}

std::vector<std::string> LostFromDump(const std::string& beforeText, const std::string& afterText) {
  const json before = json::parse(beforeText), after = json::parse(afterText);
  std::vector<std::string> lost;
  auto paragraphs = [](const json& dump) {
    std::vector<json> out;
    for (json p : dump["paragraphs"]) {
      p.erase("start");
      p.erase("end");
      out.push_back(p);
    }
    return out;
  };
  const std::vector<json> was = paragraphs(before), is = paragraphs(after);
  size_t at = 0;
  for (const json& p : was) {
    size_t found = at;
    while (found < is.size() && is[found] != p) ++found;
    if (found == is.size()) lost.push_back("paragraph changed or lost: " + p.dump());
    else at = found + 1;
  }
  for (const json& shape : before["shapes"]) {
    const auto then = Find(before, before["shapes"], shape["name"], nullptr);
    const auto now = Find(after, after["shapes"], shape["name"], nullptr);
    if (!now) lost.push_back("shape lost: " + shape["name"].get<std::string>());
    else if (now->paragraph != then->paragraph || std::abs(now->below - then->below) > 0.01)
      lost.push_back("shape " + shape["name"].get<std::string>() + " was " + std::to_string(then->below) + " below " +
                     then->paragraph + ", now " + std::to_string(now->below) + " below " + now->paragraph);
  }
  return lost;
}

}  // namespace test
