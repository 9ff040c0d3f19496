#include "graph/frame/input_error.hpp"

#include "graph/expr/math_plugin.hpp"
#include "graph/expr/normalise.hpp"
#include "platform/ui.hpp"

namespace plx::graph {

void ShowInputError(UserInterface& ui, const std::wstring& message) {
  if (!message.empty()) ui.MsgBox(message, Buttons::OK, L" 数据输入有误，请检查后重新输入");
  else ui.MsgBox(L"您所输入的数据范围有误，请检查后重新输入！", Buttons::OK, L"");
}

bool ReadNumber(UserInterface& ui, MathPlugin& math, const std::wstring& text, double& value) {
  bool error = false;
  double result = 0;
  math.MathExpression(NormaliseExpression(text), error, result);
  if (error) {
    ShowInputError(ui, math.LastError());
    return false;
  }
  value = result;
  return true;
}

}  // namespace plx::graph
