#include "symbols/symbol_table.hpp"

#include <vector>

namespace plx {
namespace {

constexpr const wchar_t* kTnr = L"Times New Roman";
constexpr const wchar_t* kSong = L"宋体";
constexpr const wchar_t* kSymbol = L"Symbol";
constexpr const wchar_t* kEuclid = L"Euclid Math Two";
// The add-in's own symbol font: its private-use characters hold the set and
// logic signs.
constexpr const wchar_t* kPlendrix = L"plendrix";

constexpr SymbolKind C = SymbolKind::Code;
constexpr SymbolKind T = SymbolKind::Text;
constexpr SymbolKind P = SymbolKind::Placeholder;

const std::vector<SymbolEntry>& Table() {
  static const std::vector<SymbolEntry> table = {
      // Operators.
      {L"jiahao", T, U'＋', nullptr}, {L"jianhao", T, U'－', nullptr}, {L"denghao", T, U'＝', nullptr},
      {L"dayuhao", T, U'＞', nullptr}, {L"xiaoyuhao", T, U'＜', nullptr}, {L"fuzhenghao", T, 0x2213, nullptr},
      {L"chenghao", C, 0x00D7, nullptr}, {L"chuhao", C, 0x00F7, nullptr}, {L"zhengfuhao", C, 0x00B1, nullptr},
      {L"budenghao", C, 0x2260, nullptr}, {L"budayuhao", C, 0x2264, nullptr},
      {L"buxiaoyuhao", C, 0x2265, nullptr}, {L"bihao", C, 0x2236, nullptr}, {L"jueduizhi", C, 0x2502, kTnr},
      {L"yuedengyu", C, 0x2248, kSong}, {L"hengdengyu", C, 0x2261, kSong}, {L"derta", C, 0xF044, kSymbol},
      {L"dianchenghao", C, 0xF0D7, kSymbol},
      // Sets and logic.
      {L"bingji", C, 0x222A, nullptr}, {L"jiaoji", C, 0x2229, nullptr}, {L"shuyu", C, 0x2208, nullptr},
      {L"C", C, 0xF043, kEuclid}, {L"N", C, 0xF04E, kEuclid}, {L"Q", C, 0xF051, kEuclid},
      {L"R", C, 0xF052, kEuclid}, {L"Z", C, 0xF05A, kEuclid}, {L"not", C, 0xF0D8, kSymbol},
      {L"and", C, 0xF0B8, kPlendrix}, {L"or", C, 0xF0B9, kPlendrix}, {L"baohan", C, 0xF0A9, kPlendrix},
      {L"baohanyu", C, 0xF0AC, kPlendrix}, {L"bubaohan", C, 0xF0E6, kPlendrix},
      {L"bubaohanyu", C, 0xF0E5, kPlendrix}, {L"zhenbaohan", C, 0xF0E1, kPlendrix},
      {L"zhenbaohanyu", C, 0xF0E0, kPlendrix}, {L"bushuyu", C, 0xF0AE, kPlendrix},
      {L"bushuyu1", C, 0xF0FB, kPlendrix}, {L"shuyu1", C, 0xF0F4, kPlendrix}, {L"kongji", C, 0xF0A5, kPlendrix},
      {L"buji", C, 0xF0DD, kPlendrix}, {L"biyao", C, 0xF0BB, kPlendrix}, {L"bubiyao", C, 0xF0F7, kPlendrix},
      {L"chongfen", C, 0xF0BD, kPlendrix}, {L"buchongfen", C, 0xF0F8, kPlendrix},
      {L"chongyao", C, 0xF0BA, kPlendrix}, {L"feichongyao", C, 0xF0F6, kPlendrix},
      // Geometry.
      {L"jiao", C, 0x2220, nullptr}, {L"chuizhi", C, 0x22A5, nullptr}, {L"pingxing", C, 0x2225, nullptr},
      {L"quandeng", C, 0x224C, nullptr}, {L"xiangsi", C, 0x223D, nullptr}, {L"suoyi", C, 0x2234, nullptr},
      {L"yinwei", C, 0x2235, nullptr}, {L"du", C, 0x00B0, kTnr}, {L"fen", C, 0x2032, kTnr},
      {L"miao", C, 0x2033, kTnr}, {L"sanjiaoxing", C, 0x25B3, kSong}, {L"pingxingsibianxing", C, 0x25A1, kSong},
      {L"hu", C, 0x2312, kSong}, {L"yuan", C, 0x2299, kSong}, {L"JHzhenbaohan", C, 0xF0CC, kSymbol},
      {L"JHfeizhenbaohan", C, 0xF0CB, kSymbol}, {L"bupingxing", C, 0xF0F9, kPlendrix},
      {L"pingxingxiangdeng", C, 0xF0DA, kPlendrix}, {L"pingxingqexiangdeng", C, 0xF0D9, kPlendrix},
      {L"jiao1", P, 0, nullptr},
      // Others.
      {L"qt6", C, 0x2208, nullptr}, {L"maoe", C, 0x00EA, kTnr}, {L"maoy", C, 0x0177, kTnr},
      {L"zhangjie", C, 0x00A7, kSong}, {L"shengluehao", C, 0x2026, kSong}, {L"zenghanshu", C, 0x2197, kSong},
      {L"jianhanshu", C, 0x2198, kSong}, {L"wuqiongda", C, 0xF0A5, kSymbol},
      {L"bucunzai", P, 0, nullptr}, {L"cunzai", P, 0, nullptr}, {L"dsjxkx", P, 0, nullptr},
      {L"dsjxsx", P, 0, nullptr}, {L"genhao", P, 0, nullptr}, {L"huashidu", P, 0, nullptr},
      {L"lxkx", P, 0, nullptr}, {L"lxsx", P, 0, nullptr}, {L"qianfenhao", P, 0, nullptr},
      {L"qt1", P, 0, nullptr}, {L"qt2", P, 0, nullptr}, {L"qt3", P, 0, nullptr}, {L"qt4", P, 0, nullptr},
      {L"qt5", P, 0, nullptr}, {L"qt10", P, 0, nullptr}, {L"qt11", P, 0, nullptr}, {L"qt12", P, 0, nullptr},
      {L"qt13", P, 0, nullptr}, {L"qt14", P, 0, nullptr}, {L"qt15", P, 0, nullptr}, {L"qt16", P, 0, nullptr},
      {L"qt17", P, 0, nullptr}, {L"renqu", P, 0, nullptr}, {L"sheshidu", P, 0, nullptr},
      {L"sjxkx", P, 0, nullptr}, {L"sjxsx", P, 0, nullptr}, {L"txyuan", P, 0, nullptr},
      {L"wjxkx", P, 0, nullptr}, {L"wjxsx", P, 0, nullptr}, {L"youshang", P, 0, nullptr},
      {L"youxia", P, 0, nullptr}, {L"yuankx", P, 0, nullptr}, {L"yuansx", P, 0, nullptr},
      {L"yunhan", P, 0, nullptr}, {L"zfx", P, 0, nullptr}, {L"zfxsx", P, 0, nullptr},
      {L"zuoshang", P, 0, nullptr}, {L"zuoxia", P, 0, nullptr},
  };
  return table;
}

struct Greek {
  const wchar_t* name;
  char32_t code;
};

constexpr Greek kGreek[] = {
    {L"alpha", 0x3B1}, {L"beta", 0x3B2},   {L"gamma", 0x3B3}, {L"delta", 0x3B4}, {L"epsilon", 0x3B5},
    {L"zeta", 0x3B6},  {L"eta", 0x3B7},    {L"theta", 0x3B8}, {L"lambda", 0x3BB}, {L"mu", 0x3BC},
    {L"xi", 0x3BE},    {L"pi", 0x3C0},     {L"rho", 0x3C1},   {L"sigma", 0x3C3}, {L"tau", 0x3C4},
    {L"phi", 0x3C6},   {L"chi", 0x3C7},    {L"omega", 0x3C9},
};

// n from "prefix" + n with 1 <= n <= 10, else 0.
int NumberAfter(const std::wstring& key, const std::wstring& prefix) {
  if (key.rfind(prefix, 0) != 0) return 0;
  std::wstring digits = key.substr(prefix.size());
  if (digits == L"10") return 10;
  if (digits.size() == 1 && digits[0] >= L'1' && digits[0] <= L'9') return digits[0] - L'0';
  return 0;
}

}  // namespace

std::optional<SymbolEntry> FindSymbol(const std::wstring& key) {
  for (const auto& e : Table())
    if (key == e.key) return e;
  return std::nullopt;
}

std::optional<SymbolEntry> FindNumberSymbol(const std::wstring& key) {
  if (int n = NumberAfter(key, L"kuohao")) return SymbolEntry{L"kuohao", SymbolKind::Code, 0x2473u + n, kSong};
  if (int n = NumberAfter(key, L"daiquanshuzi"))
    return SymbolEntry{L"daiquanshuzi", SymbolKind::Code, 0x245Fu + n, nullptr};
  return std::nullopt;
}

std::optional<SymbolEntry> FindGreek(const std::wstring& name) {
  for (const auto& g : kGreek)
    if (name == g.name) return SymbolEntry{g.name, SymbolKind::Code, g.code, kTnr};
  return std::nullopt;
}

const std::vector<std::wstring>& SymbolKeys() {
  static const std::vector<std::wstring> keys = [] {
    std::vector<std::wstring> out;
    for (const auto& e : Table()) out.emplace_back(e.key);
    for (const auto& g : kGreek) out.emplace_back(g.name);
    return out;
  }();
  return keys;
}

}  // namespace plx
