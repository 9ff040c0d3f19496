#pragma once
// How every formula command ends when something goes wrong: a formula that
// cannot be built is shown as its message, any other fault as the standard
// error box naming "modGS." + the procedure. The document stays as it was.
#include <exception>
#include <string>

#include "formula/rewrite_engine.hpp"
#include "addin/addin_context.hpp"
#include "addin/services.hpp"

namespace plx {

template <class Work>
void RunFormulaCommand(AddinContext& ctx, const wchar_t* procedure, Work work) {
  try {
    work();
  } catch (const FormulaStopped& e) {
    ctx.Ui().MsgBox(e.description());
  } catch (const std::exception& e) {
    ShowErr(ctx, e, std::wstring(L"modGS.") + procedure + L"-->line", 0);
  }
}

}  // namespace plx
