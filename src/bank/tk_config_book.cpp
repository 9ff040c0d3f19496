#include "bank/tk_config_book.hpp"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

#include "common/text.hpp"
#include "common/vbnum.hpp"

namespace plx::bank {
namespace {

constexpr long kLargestId = 2147483647;

class SheetReader {
 public:
  SheetReader(const Worksheet& sheet, std::vector<std::wstring>& problems) : sheet_(sheet), problems_(problems) {}

  void Problem(size_t row, const std::wstring& text) {
    problems_.push_back(L"工作表 " + sheet_.name + L" 第 " + std::to_wstring(row + 1) + L" 行：" + text);
  }

  std::wstring Cell(size_t row, size_t column) const {
    const auto& cells = sheet_.rows[row];
    return column < cells.size() ? Trim(cells[column]) : L"";
  }

  bool Blank(size_t row) const {
    for (const auto& c : sheet_.rows[row])
      if (!Trim(c).empty()) return false;
    return true;
  }

  // The first row names the columns, in this order.
  bool Header(const std::vector<std::wstring>& columns) {
    bool ok = !sheet_.rows.empty();
    for (size_t c = 0; ok && c < columns.size(); ++c) ok = LCase(Cell(0, c)) == LCase(columns[c]);
    if (!ok) {
      problems_.push_back(L"工作表 " + sheet_.name + L" 第 1 行应为列名 " + Join(columns, L"、") + L"。");
      return false;
    }
    return true;
  }

  // A whole number from `least` (0 or more) up; -1 with a fault reported
  // for the row.
  long Whole(size_t row, size_t column, const std::wstring& what, long least) {
    const std::wstring text = Cell(row, column);
    if (IsNumeric(text)) {
      const double v = CDbl(text);
      if (v == std::floor(v) && v >= least && v <= kLargestId) return static_cast<long>(v);
    }
    Problem(row, what + L"“" + text + L"”应为" + (least > 0 ? L"正整数" : L"不小于 0 的整数") + L"。");
    return -1;
  }

  // id and name of a row, checked; nothing when either is unusable.
  std::optional<ListItem> Item(size_t row, std::map<long, size_t>& rowOfId) {
    const long id = Whole(row, 0, L"id", 1);
    ListItem item{id, Cell(row, 1)};
    bool ok = id > 0;
    if (item.name.empty()) {
      Problem(row, L"名称为空。");
      ok = false;
    }
    if (id > 0) {
      auto [at, added] = rowOfId.emplace(id, row);
      if (!added) {
        Problem(row, L"id " + std::to_wstring(id) + L" 与第 " + std::to_wstring(at->second + 1) + L" 行重复。");
        ok = false;
      }
    }
    if (!ok) return std::nullopt;
    return item;
  }

  size_t Rows() const { return sheet_.rows.size(); }
  const std::wstring& Name() const { return sheet_.name; }

 private:
  const Worksheet& sheet_;
  std::vector<std::wstring>& problems_;
};

// A tree sheet: layers 0 to 2, every node below a parent of the layer
// above that comes earlier in id order (the dialogs build the tree reading
// the rows by ascending id).
std::vector<TreeNode> ReadTree(const Workbook& book, const std::wstring& table, bool isPoints,
                               std::vector<std::wstring>& problems) {
  std::vector<TreeNode> nodes;
  const Worksheet* sheet = book.Find(table);
  if (!sheet) {
    problems.push_back(L"缺少工作表 " + table + L"。");
    return nodes;
  }
  SheetReader in(*sheet, problems);
  if (!in.Header({L"id", L"name", L"layer", L"fid"})) return nodes;
  std::map<long, size_t> rowOfId;
  struct Pending {
    TreeNode node;
    size_t row;
  };
  std::vector<Pending> read;
  for (size_t r = 1; r < in.Rows(); ++r) {
    if (in.Blank(r)) continue;
    auto item = in.Item(r, rowOfId);
    long layer = in.Whole(r, 2, L"layer", 0);
    const long fid = in.Whole(r, 3, L"fid", 0);
    if (layer > 2) {
      in.Problem(r, L"layer“" + std::to_wstring(layer) + L"”应为 0、1 或 2。");
      layer = -1;
    }
    if (item && isPoints && item->name.find(L',') != std::wstring::npos) {
      in.Problem(r, L"知识点名称“" + item->name + L"”不能含英文逗号“,”（试题用它分隔知识点）。");
      item.reset();
    }
    if (item && layer >= 0 && fid >= 0) read.push_back({{item->id, item->name, static_cast<int>(layer), fid}, r});
  }
  std::map<long, int> layerOf;
  for (const auto& p : read) layerOf[p.node.id] = p.node.layer;
  for (const auto& [node, row] : read) {
    if (node.layer == 0) {
      if (node.fid != 0) in.Problem(row, L"第 0 层节点的 fid 应为 0。");
      continue;
    }
    auto parent = layerOf.find(node.fid);
    if (parent == layerOf.end())
      in.Problem(row, L"上级节点（fid " + std::to_wstring(node.fid) + L"）不在本工作表中。");
    else if (parent->second != node.layer - 1)
      in.Problem(row, L"上级节点 " + std::to_wstring(node.fid) + L" 在第 " + std::to_wstring(parent->second) +
                          L" 层，本节点应在第 " + std::to_wstring(parent->second + 1) + L" 层。");
    else if (node.fid >= node.id)
      in.Problem(row, L"上级节点 " + std::to_wstring(node.fid) + L" 的 id 应小于本节点的 id " +
                          std::to_wstring(node.id) + L"。");
  }
  if (read.empty() && rowOfId.empty()) problems.push_back(L"工作表 " + table + L" 中没有任何节点。");
  for (const auto& p : read) nodes.push_back(p.node);
  std::sort(nodes.begin(), nodes.end(), [](const TreeNode& a, const TreeNode& b) { return a.id < b.id; });
  return nodes;
}

void ReadList(const Worksheet& sheet, const std::wstring& table, BankConfig& config) {
  SheetReader in(sheet, config.problems);
  if (!in.Header({L"id", L"name"})) return;
  ValueListTable list{table, {}};
  std::map<long, size_t> rowOfId;
  for (size_t r = 1; r < in.Rows(); ++r)
    if (!in.Blank(r))
      if (auto item = in.Item(r, rowOfId)) list.items.push_back(*item);
  if (rowOfId.empty()) config.problems.push_back(L"工作表 " + table + L" 中没有任何选项。");
  std::sort(list.items.begin(), list.items.end(), [](const ListItem& a, const ListItem& b) { return a.id < b.id; });
  config.lists.push_back(std::move(list));
}

}  // namespace

const std::vector<std::wstring>& ValueListTables() {
  static const std::vector<std::wstring> tables = {L"tkType", L"tkDegree", L"tkGrade", L"tkPaperType", L"Provinces"};
  return tables;
}

BankConfig ReadBankConfig(const Workbook& book) {
  BankConfig config;
  config.chapters = ReadTree(book, L"tkChapter", false, config.problems);
  config.points = ReadTree(book, L"tkPoint", true, config.problems);
  for (const auto& table : ValueListTables())
    if (const Worksheet* sheet = book.Find(table)) ReadList(*sheet, table, config);
  return config;
}

}  // namespace plx::bank
