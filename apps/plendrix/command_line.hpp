#pragma once
// The command line as the user writes it: formulas and expressions that
// begin with a minus sign, and the option parser's complaints in Chinese.
#include <CLI/CLI.hpp>
#include <string>
#include <vector>

namespace plx::cli {

// After `eval` or `formula`, the first argument that begins with a single
// "-" and is not one of the command's options ("-x^2", "-x/2") is the
// text: a "--" is put before it, so the parser never takes it for an option.
std::vector<std::string> MarkDashTexts(std::vector<std::string> args);

// Help and usage headings in Chinese.
void UseChineseHelp(CLI::App& app);

// What was wrong with the command line, in Chinese; `unread` are the
// arguments the parser could not place (an unknown option or command).
std::string ParserMessage(const CLI::ParseError& e, const std::vector<std::string>& unread);

}  // namespace plx::cli
