#include "formula/formula_commands.hpp"

#include <vector>

#include "common/text.hpp"
#include "formula/formula_input.hpp"
#include "formula/formula_output.hpp"
#include "formula/embellish/mhgs.hpp"
#include "formula/formula_trap.hpp"
#include "formula/numbers/frm_fenshu.hpp"
#include "formula/numbers/frm_genshi.hpp"
#include "addin/addin_context.hpp"
#include "addin/services.hpp"

namespace plx {
namespace {

using docif::RangePtr;

bool NothingSelected(docif::Selection& s) {
  return s.Type() == docif::kSelectionIP || s.Type() == docif::kSelectionNone || s.Start() == s.End();
}

// The selection without a trailing paragraph mark.
std::shared_ptr<docif::Selection> TextSelection(AddinContext& ctx) {
  auto s = ctx.App->GetSelection();
  if (EndsWithText(s->Text(), L"\r")) s->SetRange(s->Start(), s->End() - 1);
  return s;
}

// Inserts at `at` a field whose code is prefix, the moved parts with the joins
// between them, and suffix; each part keeps its formatting and leaves its old
// place. Returns the new field.
std::shared_ptr<docif::Field> FieldAroundParts(AddinContext& ctx, long at, const std::wstring& prefix,
                                               const std::vector<RangePtr>& parts,
                                               const std::vector<std::wstring>& joins, const std::wstring& suffix) {
  auto doc = ctx.App->ActiveDocument();
  std::wstring code = prefix;
  std::vector<size_t> offsets;
  for (size_t i = 0; i < parts.size(); ++i) {
    offsets.push_back(code.size());
    if (i < joins.size()) code += joins[i];
  }
  code += suffix;
  auto field = doc->GetFields()->Add(*doc->GetRange(at, at), docif::kFieldEmpty, code);
  const long codeStart = field->Code()->Start();
  for (size_t i = parts.size(); i-- > 0;) {
    const long p = codeStart + static_cast<long>(offsets[i]);
    doc->GetRange(p, p)->SetFormattedText(*parts[i]);
  }
  for (const RangePtr& part : parts) part->Delete();
  return field;
}

void Bookmark(AddinContext& ctx, const std::wstring& name, long start, long end) {
  auto doc = ctx.App->ActiveDocument();
  doc->GetBookmarks()->Add(name, *doc->GetRange(start, end));
}

RangePtr TakeBookmark(AddinContext& ctx, const std::wstring& name) {
  auto bookmarks = ctx.App->ActiveDocument()->GetBookmarks();
  return bookmarks->Item(name);
}

void DropBookmarks(AddinContext& ctx, std::initializer_list<const wchar_t*> names) {
  auto bookmarks = ctx.App->ActiveDocument()->GetBookmarks();
  for (const wchar_t* n : names)
    if (bookmarks->Exists(n)) bookmarks->Delete(n);
}

template <class Dialog>
void ShowDialog(AddinContext& ctx) {
  std::make_shared<Dialog>(ctx)->Show();
}

// Arc and vector: a mark set over the letters.
void MarkOver(AddinContext& ctx, const wchar_t* procedure, const std::wstring& prompt, const std::wstring& mark) {
  RunFormulaCommand(ctx, procedure, [&] {
    auto s = ctx.App->GetSelection();
    const std::wstring head = L"EQ \\o\\ac(\\S\\UP7(" + mark + L"),";
    if (NothingSelected(*s)) {
      const std::wstring letters = ctx.Ui().InputBox(prompt);
      if (letters.empty()) return;
      s->GetFields()->Add(*s->GetRange(), docif::kFieldEmpty, head + letters + L")");
      return;
    }
    s = TextSelection(ctx);
    Bookmark(ctx, L"fm", s->Start(), s->End());
    auto field = FieldAroundParts(ctx, s->Start(), head, {TakeBookmark(ctx, L"fm")}, {}, L")");
    DropBookmarks(ctx, {L"fm"});
    field->Select();
    EmbellishFormula(ctx, *field);
  });
}

// The fields and texts of a recurring decimal such as 0.1/23, in order.
struct DecimalPiece {
  std::wstring text;
  bool dotted;
};

std::vector<DecimalPiece> RepeatingDigits(const std::wstring& digits) {
  std::vector<DecimalPiece> pieces;
  if (digits.size() <= 2) {
    for (wchar_t d : digits) pieces.push_back({std::wstring(1, d), true});
  } else {
    pieces.push_back({digits.substr(0, 1), true});
    pieces.push_back({digits.substr(1, digits.size() - 2), false});
    pieces.push_back({digits.substr(digits.size() - 1), true});
  }
  return pieces;
}

}  // namespace

void GS_FenShu(AddinContext& ctx) {
  RunFormulaCommand(ctx, L"GS_FenShu", [&] {
    auto s = ctx.App->GetSelection();
    if (NothingSelected(*s)) return ShowDialog<frmFenShu>(ctx);
    s = TextSelection(ctx);
    if (ctx.Formula.blTX) return GS_Main(ctx);
    const std::wstring text = s->Text();
    const size_t slash = text.find(L'/');
    if (slash == std::wstring::npos) {
      ctx.Ui().MsgBox(L"没有“/”符号，不能区分分子和分母，请重新选择！");
      return;
    }
    const long start = s->Start(), end = s->End(), at = start + static_cast<long>(slash);
    Bookmark(ctx, L"fz", start, at);
    Bookmark(ctx, L"fm", at + 1, end);
    ctx.App->ActiveDocument()->GetRange(at, at + 1)->Delete();
    FieldAroundParts(ctx, start, L"EQ \\F(", {TakeBookmark(ctx, L"fz"), TakeBookmark(ctx, L"fm")}, {L","}, L")");
    DropBookmarks(ctx, {L"fz", L"fm"});
  });
}

void GS(AddinContext& ctx) {
  RunFormulaCommand(ctx, L"GS", [&] {
    auto s = ctx.App->GetSelection();
    if (NothingSelected(*s)) return ShowDialog<frmGenShi>(ctx);
    if (!StartsWith(s->Text(), L"gh")) {
      s->InsertBefore(L"gh(");
      s->InsertAfter(L")");
    }
    s->Select();
    GS_Main(ctx);
  });
}

void GS_FCZ(AddinContext& ctx) {
  RunFormulaCommand(ctx, L"GS_FCZ", [&] {
    auto s = ctx.App->GetSelection();
    if (NothingSelected(*s)) {
      std::wstring equations = ctx.Ui().InputBox(L"请输入方程组的各方程，方程之间用“，”隔开：");
      if (equations.empty()) return;
      // The prompt asks for the full-width comma; the builder separates at ",".
      OutputByMathType(ctx, L"fcz(" + Replace(equations, L"，", L",") + L")");
      return;
    }
    s = TextSelection(ctx);
    if (!Contains(s->Text(), L",")) {
      ctx.Ui().MsgBox(L"没有“,”符号，不能区各个方程，请重新选择！");
      return;
    }
    Bookmark(ctx, L"tfc", s->Start(), s->End());
    FieldAroundParts(ctx, s->Start(), L"EQ \\B\\lc\\{(\\a\\al(", {TakeBookmark(ctx, L"tfc")}, {}, L"))");
    DropBookmarks(ctx, {L"tfc"});
  });
}

void GS_XHXS(AddinContext& ctx) {
  RunFormulaCommand(ctx, L"GS_XHXS", [&] {
    auto s = TextSelection(ctx);
    const std::wstring text = s->Text();
    const size_t slash = text.find(L'/');
    if (slash == std::wstring::npos) {
      ctx.Ui().MsgBox(L"没有\"/\"符号,无法确定循环小数部分,请确认您用\"/\"标识出了循环小数部分");
      return;
    }
    if (!Contains(text, L".") &&
        ctx.Ui().MsgBox(L"您选择的小数没有小数点,您还是要生成循环小数吗?", Buttons::OKCancel) != Answer::OK)
      return;
    const std::wstring repeating = text.substr(slash + 1);
    if (repeating.empty()) {
      ctx.Ui().MsgBox(L"没有循环小数部分,程序退出");
      return;
    }
    auto doc = ctx.App->ActiveDocument();
    const long start = s->Start();
    s->SetText(text.substr(0, slash));
    docif::FontFormat song;
    song.Name = L"宋体";
    s->SetFont(song);
    // Written from the last piece to the first at one place, so no position moves.
    const long at = s->End();
    const auto pieces = RepeatingDigits(repeating);
    for (size_t i = pieces.size(); i-- > 0;) {
      if (pieces[i].dotted)
        doc->GetFields()->Add(*doc->GetRange(at, at), docif::kFieldEmpty,
                              L"eq \\o(\\s\\up 3(˙)," + pieces[i].text + L")");
      else
        doc->GetRange(at, at)->InsertAfter(pieces[i].text);
    }
    s->SetRange(start, start);
  });
}

void GS_Hu(AddinContext& ctx) { MarkOver(ctx, L"GS_Hu", L"请输入需要添加弧符号的字母：", L"⌒"); }
void GS_XL(AddinContext& ctx) { MarkOver(ctx, L"GS_XL", L"请输入需要添加向量符号的字母：", L"→"); }

}  // namespace plx
