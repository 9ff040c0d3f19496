#include "command_line.hpp"

#include <set>

namespace plx::cli {
namespace {

// The options that take a value, before the command and after it.
const std::set<std::string> kGlobalValueOptions = {"--install", "--host-version", "--host", "--doc", "--out", "--render", "--pptx", "--seed"};
const std::set<std::string> kTextCommands = {"eval", "formula", "config"};
const std::set<std::string> kTextCommandValueOptions = {"--at", "--route", "--set"};

// The part of a parser message between `before` and the next `until` (the
// end of the message when `until` is empty); empty when `before` is not in it.
std::string Between(const std::string& message, const std::string& before, const std::string& until = "") {
  const size_t at = message.find(before);
  if (at == std::string::npos) return {};
  const size_t from = at + before.size();
  return message.substr(from, until.empty() ? std::string::npos : message.find(until, from) - from);
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
      return "缺少命令：要写 connect、press、run、controls、dump、config、eval、formula 或 render 之一";
    const size_t required = what.find(" is required");
    const std::string missing = required == std::string::npos ? "" : what.substr(0, required);
    return "缺少参数" + (missing.empty() ? std::string() : " " + missing);
  }
  if (name == "ExtrasError") {
    const std::string extras = Between(what, "expected: ");
    return "不认识的命令或参数：" + extras;
  }
  if (name == "ConversionError") {
    const std::string option = Between(what, "convert: ", " ="), value = Between(what, " = ");
    if (!option.empty()) return option + " 的值“" + value + "”不是数";
    return "参数的值无法识别";
  }
  if (name == "ArgumentMismatch") {
    std::string option = what.starts_with("-") ? what.substr(0, what.find(':')) : "";
    // An option that takes one value, given more than once.
    if (!option.empty() && what.find(": At Most ") != std::string::npos) return option + " 只能给出一次";
    if (option.empty()) option = Between(what, "arguments to ", ",");
    return (option.empty() ? std::string("参数") : option) + " 后面缺少值";
  }
  if (name == "ExcludesError") {
    const size_t excludes = what.find(" excludes ");
    if (excludes != std::string::npos)
      return what.substr(0, excludes) + " 和 " + what.substr(excludes + 10) + " 不能同时使用";
  }
  return "命令行无效";
}

}  // namespace plx::cli
