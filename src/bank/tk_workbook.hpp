#pragma once
// Reading an Excel 97-2003 workbook (.xls) as text: every worksheet by
// name with its cells row by row. Used for the bank's configuration
// workbook, which teachers edit in a spreadsheet program.
#include <optional>
#include <string>
#include <vector>

namespace plx::bank {

struct Worksheet {
  std::wstring name;
  // Rows from the first, cells from column A; an empty cell is empty text,
  // a number is written without a fraction when it is whole ("3", "2.5").
  std::vector<std::vector<std::wstring>> rows;
};

struct Workbook {
  std::vector<Worksheet> sheets;
  // The sheet whose name matches regardless of letter case, or null.
  const Worksheet* Find(const std::wstring& name) const;
};

// The workbook, or nothing with the reason in `why` when the file cannot be
// read as one (missing, damaged, protected, another format).
std::optional<Workbook> ReadWorkbook(const std::wstring& path, std::wstring& why);

}  // namespace plx::bank
