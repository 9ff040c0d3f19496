#pragma once
// The text of a script file as teachers save it: UTF-8 with or without a
// byte-order mark, or GB18030 (GBK), what Notepad writes on a Chinese
// Windows.
#include <string>
#include <string_view>

namespace plx::cli {

struct ScriptText {
  std::wstring text;
  bool fromGb18030 = false;  // the bytes were not UTF-8 and were read as GB18030
};

ScriptText DecodeScript(std::string_view bytes);
// Whether the bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool IsUtf8(std::string_view bytes);

}  // namespace plx::cli
