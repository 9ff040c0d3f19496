#include "docif/model/doc_data.hpp"

#include <algorithm>

#include "docif/model/model_shapes.hpp"

namespace plx::docif::model {
namespace {

StyleInfo Heading(const std::wstring& name, double size, int level) {
  StyleInfo s;
  s.name = name;
  s.font.bold = true;
  s.font.size = size;
  s.para.style = name;
  s.para.outlineLevel = level;
  s.para.spaceBefore = s.para.spaceAfter = size / 2;
  s.base = L"正文";
  return s;
}

// Names of the built-in styles in the host's other language.
const wchar_t* LocalName(const std::wstring& name) {
  if (name == L"Normal") return L"正文";
  if (name == L"Heading 1") return L"标题 1";
  if (name == L"Heading 2") return L"标题 2";
  if (name == L"Heading 3") return L"标题 3";
  if (name == L"Title") return L"标题";
  return nullptr;
}

}  // namespace

DocData::DocData(std::shared_ptr<AppShared> shared) : app(std::move(shared)) {
  StyleInfo normal;
  normal.name = L"正文";
  styles.push_back(normal);
  styles.push_back(Heading(L"标题 1", 22, 1));
  styles.push_back(Heading(L"标题 2", 16, 2));
  styles.push_back(Heading(L"标题 3", 16, 3));
  StyleInfo title = Heading(L"标题", 16, 1);
  title.para.alignment = kAlignCenter;
  styles.push_back(title);
  selectionStory = main;
  selection = main->MakeAnchor(0, 0);
  fullName = L"文档" + std::to_wstring(app->nextDocument++);
}

const StyleInfo* DocData::FindStyle(const std::wstring& name) const {
  const wchar_t* local = LocalName(name);
  for (const auto& s : styles)
    if (s.name == name || (local && s.name == local)) return &s;
  return nullptr;
}

std::vector<std::shared_ptr<Story>> DocData::Stories() const {
  std::vector<std::shared_ptr<Story>> out{main};
  for (const auto& s : AllShapes(*this))
    if (s->text) out.push_back(s->text);
  return out;
}

std::vector<std::shared_ptr<Equation>> DocData::EquationsIn(const Story& story, long start, long end) const {
  std::vector<std::shared_ptr<Equation>> out;
  for (const auto& eq : equations) {
    long a = eq->anchor->start, b = eq->anchor->end;
    if (eq->story.get() != &story || a >= b) continue;
    if (start < end ? a < end && start < b : a < start && start < b) out.push_back(eq);
  }
  std::sort(out.begin(), out.end(), [](const auto& x, const auto& y) { return x->anchor->start < y->anchor->start; });
  return out;
}

void DocData::DropDeletedEquations() {
  std::erase_if(equations, [](const auto& eq) { return eq->anchor->start >= eq->anchor->end; });
}

}  // namespace plx::docif::model
