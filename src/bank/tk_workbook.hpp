#pragma once
// Reading an Excel 97-2003 workbook (.xls) as text: every worksheet by
// name with its cells row by row. Used for the bank's configuration
// workbook, which teachers edit in a spreadsheet program.
//
// Only the cells a sheet holds are read, whatever size the sheet declares,
// and a workbook whose content passes what a configuration workbook could
// need (file size, cells, text) is refused with the sheet named, so a
// small crafted file cannot take the memory of the grid it claims.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plx::bank {

struct Worksheet {
  std::wstring name;
  // Rows from the first up to the last that holds text, each with its cells
  // from column A up to its last that holds text (so rows differ in
  // length; a row without text is empty). An empty cell is empty text, a
  // number is written without a fraction when it is whole ("3", "2.5").
  std::vector<std::vector<std::wstring>> rows;
};

struct Workbook {
  std::vector<Worksheet> sheets;
  // The sheet whose name matches regardless of letter case, or null.
  const Worksheet* Find(const std::wstring& name) const;
};

// The workbook, or nothing with the reason in `why` when the file cannot be
// read as one (missing, damaged, protected, another format, too large).
std::optional<Workbook> ReadWorkbook(const std::wstring& path, std::wstring& why);

// The same for the file's bytes.
std::optional<Workbook> ReadWorkbookBytes(std::string_view bytes, std::wstring& why);

}  // namespace plx::bank
