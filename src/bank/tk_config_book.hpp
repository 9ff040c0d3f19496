#pragma once
// The bank's configuration workbook "TK_plendrix/tkconfig.xls" read into
// the tables it rebuilds: the chapter tree (sheet tkChapter), the
// knowledge-point tree (tkPoint), both with the columns id, name, layer,
// fid, and the value lists tkType, tkDegree, tkGrade, tkPaperType and
// Provinces with the columns id, name. Every row is checked, so a workbook
// a teacher has mistyped is refused as a whole with the row and the fault
// named, instead of leaving a tree the bank's dialogs cannot draw.
#include <string>
#include <vector>

#include "bank/tk_store.hpp"
#include "bank/tk_workbook.hpp"

namespace plx::bank {

struct ListItem {
  long id = 0;
  std::wstring name;
};

struct ValueListTable {
  std::wstring table;  // as the bank names it
  std::vector<ListItem> items;
};

struct BankConfig {
  std::vector<TreeNode> chapters, points;
  // The value lists the workbook has a sheet for, in the bank's order;
  // a list without its sheet is left as the bank has it.
  std::vector<ValueListTable> lists;
  // One line per fault: "工作表 tkPoint 第 7 行：…" (rows counted as the
  // spreadsheet program shows them). Empty when the workbook can be used.
  std::vector<std::wstring> problems;
};

// The value-list tables a workbook may hold, in the bank's order.
const std::vector<std::wstring>& ValueListTables();

BankConfig ReadBankConfig(const Workbook& book);

}  // namespace plx::bank
