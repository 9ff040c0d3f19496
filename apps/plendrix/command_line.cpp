#include "command_line.hpp"

#include <regex>
#include <set>

namespace plx::cli {
namespace {

// The options that take a value, before the command and after it.
const std::set<std::string> kGlobalValueOptions = {"--install", "--host-version", "--doc", "--out", "--render"};
const std::set<std::string> kTextCommands = {"eval", "formula", "config"};
const std::set<std::string> kTextCommandValueOptions = {"--at", "--route", "--set"};

std::string Group(const std::string& message, const std::string& pattern) {
  std::smatch m;
  return std::regex_search(message, m, std::regex(pattern)) ? m[1].str() : std::string();
}

}  // namespace

std::vector<std::string> MarkDashTexts(std::vector<std::string> args) {
  size_t i = 1;
  for (; i < args.size(); ++i) {
    if (args[i] == "--") return args;
    if (kGlobalValueOptions.contains(args[i])) ++i;
    else if (!args[i].starts_with("-")) break;
  }
  if (i >= args.size() || !kTextCommands.contains(args[i])) return args;
  for (++i; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--") break;
    if (kTextCommandValueOptions.contains(a)) {
      ++i;
    } else if (a.size() > 1 && a[0] == '-' && a[1] != '-' && a != "-h") {
      args.insert(args.begin() + static_cast<long>(i), "--");
      break;
    }
  }
  return args;
}

void UseChineseHelp(CLI::App& app) {
  auto f = app.get_formatter();
  f->label("Usage", "用法");
  f->label("OPTIONS", "选项");
  f->label("SUBCOMMAND", "命令");
  f->label("SUBCOMMANDS", "命令");
  f->label("Positionals", "参数");
  f->label("REQUIRED", "（必填）");
  f->label("Needs", "需要");
  f->label("Excludes", "不能与之同用");
  f->label("TEXT", "文字");
  app.option_defaults()->group("选项");
  app.set_help_flag("-h,--help", "显示此帮助并退出");
}

std::string ParserMessage(const CLI::ParseError& e, const std::vector<std::string>& unread) {
  const std::string name = e.get_name(), what = e.what();
  if (!unread.empty()) {
    std::string list;
    for (const auto& a : unread) list += (list.empty() ? "" : " ") + a;
    return "不认识的命令或参数：" + list;
  }
  if (name == "RequiredError") {
    if (what.find("ubcommand") != std::string::npos)
      return "缺少命令：要写 connect、press、run、controls、dump、eval 或 formula 之一";
    const std::string missing = Group(what, R"(^(\S+) is required)");
    return "缺少参数" + (missing.empty() ? std::string() : " " + missing);
  }
  if (name == "ExtrasError") {
    const std::string extras = Group(what, R"(expected: (.*)$)");
    return "不认识的命令或参数：" + extras;
  }
  if (name == "ConversionError") {
    const std::string option = Group(what, R"(convert: (\S+) =)"), value = Group(what, R"( = (.*)$)");
    if (!option.empty()) return option + " 的值“" + value + "”不是数";
    return "参数的值无法识别";
  }
  if (name == "ArgumentMismatch") {
    std::string option = Group(what, R"(^(-\S+?):)");
    if (option.empty()) option = Group(what, R"(arguments to (\S+?),)");
    return (option.empty() ? std::string("参数") : option) + " 后面缺少值";
  }
  return "命令行无效";
}

}  // namespace plx::cli
