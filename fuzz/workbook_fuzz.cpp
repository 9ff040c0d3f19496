// libFuzzer target: the input is a whole .xls file, read as the bank's
// configuration workbook and checked as the rebuild of its tables checks
// it (small workbooks a spreadsheet program saved as seeds: several
// sheets, an empty text cell, a text continued over records). Any bytes
// end in a workbook or a reason, within the reader's limits.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "bank/tk_config_book.hpp"
#include "bank/tk_workbook.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::wstring why;
  auto book = plx::bank::ReadWorkbookBytes(std::string_view(reinterpret_cast<const char*>(data), size), why);
  if (!book) {
    if (why.empty()) __builtin_trap();  // refused without saying why
    return 0;
  }
  plx::bank::ReadBankConfig(*book);
  return 0;
}
