#include "bank/tk_workbook.hpp"

#include <freexl.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "common/text.hpp"
#include "common/vbnum.hpp"

namespace plx::bank {
namespace {

std::wstring Reason(int code) {
  switch (code) {
    case FREEXL_FILE_NOT_FOUND: return L"文件不存在";
    case FREEXL_INSUFFICIENT_MEMORY: return L"内存不足";
    case FREEXL_INVALID_CFBF_HEADER:
    case FREEXL_CFBF_INVALID_SIGNATURE:
      return L"不是 Excel 97-2003 格式（.xls）的工作簿";
    case FREEXL_BIFF_WORKBOOK_NOT_FOUND: return L"文件中没有工作簿";
    case FREEXL_UNSUPPORTED_CHARSET:
    case FREEXL_INVALID_CHARACTER:
      return L"工作簿的字符编码无法识别";
    default: return L"文件已损坏（错误码 " + std::to_wstring(code) + L"）";
  }
}

std::wstring CellText(const FreeXL_CellValue& cell) {
  switch (cell.type) {
    case FREEXL_CELL_INT: return std::to_wstring(cell.value.int_value);
    case FREEXL_CELL_DOUBLE: {
      const double d = cell.value.double_value;
      if (std::isfinite(d) && d == std::floor(d) && std::fabs(d) < 1e15)
        return std::to_wstring(static_cast<long long>(d));
      return DecimalText(d);
    }
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
      return cell.value.text_value ? Utf8ToWide(cell.value.text_value) : L"";
    default: return L"";
  }
}

// Closes the handle however reading ends.
struct Handle {
  const void* h = nullptr;
  ~Handle() {
    if (h) freexl_close(h);
  }
};

// A reason when the file is plainly not an Excel 97-2003 workbook, which
// starts with the compound-file signature; the library's own codes for
// such files only say it could not be read.
std::optional<std::wstring> NotAWorkbook(const std::wstring& path) {
  static const unsigned char kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
  std::ifstream in(std::filesystem::path(WideToUtf8(path)), std::ios::binary);
  if (!in) return std::nullopt;  // freexl says why
  unsigned char head[8] = {};
  in.read(reinterpret_cast<char*>(head), sizeof head);
  if (in.gcount() == sizeof head && std::equal(head, head + 8, kSignature)) return std::nullopt;
  if (in.gcount() >= 2 && head[0] == 'P' && head[1] == 'K')
    return L"这是 .xlsx 或 .ods 等新格式的文件，请在电子表格程序中另存为 Excel 97-2003 格式（.xls）";
  return L"不是 Excel 97-2003 格式（.xls）的工作簿";
}

}  // namespace

const Worksheet* Workbook::Find(const std::wstring& name) const {
  for (const auto& s : sheets)
    if (LCase(s.name) == LCase(name)) return &s;
  return nullptr;
}

std::optional<Workbook> ReadWorkbook(const std::wstring& path, std::wstring& why) {
  if (auto reason = NotAWorkbook(path)) {
    why = *reason;
    return std::nullopt;
  }
  Handle file;
  int rc = freexl_open(WideToUtf8(path).c_str(), &file.h);
  if (rc != FREEXL_OK) {
    why = Reason(rc);
    return std::nullopt;
  }
  unsigned int value = 0;
  if (freexl_get_info(file.h, FREEXL_BIFF_PASSWORD, &value) == FREEXL_OK && value == FREEXL_BIFF_OBFUSCATED) {
    why = L"工作簿设置了密码保护";
    return std::nullopt;
  }
  unsigned int count = 0;
  if ((rc = freexl_get_info(file.h, FREEXL_BIFF_SHEET_COUNT, &count)) != FREEXL_OK) {
    why = Reason(rc);
    return std::nullopt;
  }
  Workbook book;
  for (unsigned short i = 0; i < count; ++i) {
    Worksheet sheet;
    const char* name = nullptr;
    unsigned int rows = 0;
    unsigned short columns = 0;
    if ((rc = freexl_get_worksheet_name(file.h, i, &name)) != FREEXL_OK ||
        (rc = freexl_select_active_worksheet(file.h, i)) != FREEXL_OK ||
        (rc = freexl_worksheet_dimensions(file.h, &rows, &columns)) != FREEXL_OK) {
      why = Reason(rc);
      return std::nullopt;
    }
    sheet.name = name ? Utf8ToWide(name) : L"";
    for (unsigned int r = 0; r < rows; ++r) {
      std::vector<std::wstring> cells;
      for (unsigned short c = 0; c < columns; ++c) {
        FreeXL_CellValue cell;
        if ((rc = freexl_get_cell_value(file.h, r, c, &cell)) != FREEXL_OK) {
          why = Reason(rc);
          return std::nullopt;
        }
        cells.push_back(CellText(cell));
      }
      sheet.rows.push_back(std::move(cells));
    }
    book.sheets.push_back(std::move(sheet));
  }
  return book;
}

}  // namespace plx::bank
