#include "bank/tk_files.hpp"

#include <filesystem>

#include "addin/addin_context.hpp"
#include "addin/services.hpp"
#include "common/error.hpp"
#include "common/paths.hpp"
#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "platform/md5.hpp"

namespace plx::bank {
namespace {

std::wstring Two(int n) {
  n %= 100;
  return (n < 10 ? L"0" : L"") + std::to_wstring(n);
}

std::wstring QuarterOf(const std::wstring& month) {
  if (month >= L"01" && month <= L"03") return L"1";
  if (month >= L"04" && month <= L"06") return L"2";
  if (month >= L"07" && month <= L"09") return L"3";
  return L"4";
}

void MakeFolder(const std::wstring& path) {
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(WideToUtf8(path)), ec);
  if (ec) Raise(75, L"无法创建文件夹“" + path + L"”：" + Utf8ToWide(ec.message()));
}

}  // namespace

std::wstring BankFolder(AddinContext& ctx) { return AppFile(ctx, L"TK_plendrix"); }

std::wstring StemInBank(const std::wstring& bank, const std::wstring& stored) {
  constexpr size_t kStemParts = 3;  // year folder, quarter folder, name
  std::vector<std::wstring> parts;
  for (auto& part : Split(Replace(stored, L"\\", L"/"), L"/"))
    if (!part.empty()) parts.push_back(part);
  if (parts.empty()) return L"";
  std::wstring stem = bank;
  for (size_t i = parts.size() > kStemParts ? parts.size() - kStemParts : 0; i < parts.size(); ++i) {
    if (parts[i] == L"." || parts[i] == L"..") return L"";
    stem = JoinPath(stem, parts[i]);
  }
  return CollapseSeparators(stem);
}

std::wstring NewFileName(AddinContext& ctx) {
  DateTime t = ctx.GetClock().Now();
  std::wstring stamp = Two(t.year) + Two(t.month) + Two(t.day) + Two(t.hour) + Two(t.minute) + Two(t.second);
  ctx.Random().Randomize(ctx.GetClock());
  double r = Int(ctx.Random().Rnd() * 10000000 + 1);
  return stamp + Format(r, L"00000000");
}

std::wstring StoredPath(AddinContext& ctx, const std::wstring& name) {
  if (name.size() < 4) Raise(5, L"题目文件名“" + name + L"”太短，无法确定存放位置。");
  // The bank's own folder, the one holding the database: file names are
  // compared with their letter case here, so it is written as it is named.
  std::wstring year = JoinPath(BankFolder(ctx), Left(name, 2));
  MakeFolder(year);
  std::wstring quarter = JoinPath(year, QuarterOf(Mid(name, 3, 2)));
  MakeFolder(quarter);
  std::wstring h = Mid(Md5Hex(WideToUtf8(name)), 9, 16);
  std::wstring stem = Mid(h, 9, 4) + L"7" + Mid(h, 5, 4) + L"4" + Right(h, 4) + L"1" + Left(h, 4) + L"2";
  return CollapseSeparators(JoinPath(quarter, stem));
}

std::wstring QuestionSearchText(const std::wstring& stem) {
  static const std::wstring kParticles = L"是这的和会为了呢啊哦恩嗯吧";
  std::wstring out;
  for (wchar_t c : Replace(stem, L"【题干】", L"")) {
    if (c < 0x4E00 || c > 0x9FA5) continue;
    if (kParticles.find(c) != std::wstring::npos) continue;
    out += c;
  }
  return out;
}

}  // namespace plx::bank
