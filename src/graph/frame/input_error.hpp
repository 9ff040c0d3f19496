#pragma once
// The graph dialog's message for a number or expression it cannot read.
#include <string>

namespace plx {
class UserInterface;
}

namespace plx::graph {

class MathPlugin;

// The evaluator's message under the title " 数据输入有误，请检查后重新输入",
// or, without a message, "您所输入的数据范围有误，请检查后重新输入！".
void ShowInputError(UserInterface& ui, const std::wstring& message);

// Reads a numeric box: its text normalised and evaluated. On failure the
// input error is shown and nothing is returned.
bool ReadNumber(UserInterface& ui, MathPlugin& math, const std::wstring& text, double& value);

}  // namespace plx::graph
