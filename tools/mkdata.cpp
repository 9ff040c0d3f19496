// Build-time helper that makes the install folder's data files from the
// readable sources under data/:
//   plendrix_mkdata db OUT.mdb SEED.sql      a new SQLite database from SQL
//   plendrix_mkdata gb2312 OUT.txt IN.txt    UTF-8 text re-encoded as GB2312
//   plendrix_mkdata images DIR LIST FONT...   the 32 x 32 button images
//   plendrix_mkdata backgrounds DIR           the slide background pictures
//   plendrix_mkdata guide OUT.doc GUIDE.txt   the formula language guide (.docx content)
#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "common/text.hpp"
#include "button_images.hpp"
#include "slide_backgrounds.hpp"
#include "formula_guide.hpp"
#include "platform/codepage.hpp"

namespace {

std::string ReadAll(const char* path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error(std::string("cannot read ") + path);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, const std::string& bytes) {
  std::string temp = path + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + temp);
  }
  std::filesystem::rename(temp, path);
}

void MakeDatabase(const std::string& out, const char* seed) {
  std::string sql = ReadAll(seed);
  std::string temp = out + ".tmp";
  std::filesystem::remove(temp);
  sqlite3* db = nullptr;
  if (sqlite3_open(temp.c_str(), &db) != SQLITE_OK) throw std::runtime_error("cannot create " + temp);
  char* error = nullptr;
  int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
  std::string message = error ? error : "";
  sqlite3_free(error);
  sqlite3_close(db);
  if (rc != SQLITE_OK) throw std::runtime_error(std::string(seed) + ": " + message);
  std::filesystem::rename(temp, out);
}

void MakeGb2312(const std::string& out, const char* in) {
  std::wstring text = plx::Utf8ToWide(ReadAll(in));
  std::string encoded = plx::EncodeCodePage(text, "GB2312");
  if (plx::DecodeCodePage(encoded, "GB2312") != text)
    throw std::runtime_error(std::string(in) + ": holds characters GB2312 cannot encode");
  WriteAll(out, encoded);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || (argc < 4 && std::string(argv[1]) != "backgrounds")) {
    std::cerr << "usage: plendrix_mkdata db|gb2312|guide OUT IN | images DIR LIST FONT... | backgrounds DIR\n";
    return 2;
  }
  try {
    std::string mode = argv[1];
    if (mode == "backgrounds") plx::tools::MakeSlideBackgrounds(argv[2]);
    else if (mode == "images") plx::tools::MakeButtonImages(argv[3], argv[2], std::vector<std::string>(argv + 4, argv + argc));
    else if (mode == "db") MakeDatabase(argv[2], argv[3]);
    else if (mode == "gb2312") MakeGb2312(argv[2], argv[3]);
    else if (mode == "guide") plx::tools::MakeFormulaGuide(argv[2], argv[3]);
    else throw std::runtime_error("unknown mode " + mode);
  } catch (const std::exception& e) {
    std::cerr << "plendrix_mkdata: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
