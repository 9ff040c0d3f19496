#pragma once
// The collections that hang off a Writer range: fields, tables, and its
// find; and how any collection gives its members by number.
#include <functional>
#include <memory>
#include <vector>

#include "common/error.hpp"
#include "docif/range.hpp"
#include "docif/uno/writer_doc.hpp"

namespace plx::docif::lo {

// Member `index` (1-based) of a collection's members; error 5941 outside them.
template <class T>
const T& MemberAt(const std::vector<T>& members, int index) {
  if (index < 1 || index > static_cast<int>(members.size())) Raise(5941, L"集合所要求的成员不存在。");
  return members[index - 1];
}

// The fields whose begin mark lies in [start, end) (kept live).
std::shared_ptr<Fields> MakeUnoFields(const std::shared_ptr<WriterDoc>& doc, long start, long end);
// The tables that start in [start, end) (kept live).
std::shared_ptr<Tables> MakeUnoTables(const std::shared_ptr<WriterDoc>& doc, long start, long end);
// A find over the anchor `scope` gives at each Execute.
std::shared_ptr<Find> MakeUnoFind(const std::shared_ptr<WriterDoc>& doc, std::function<model::Anchor&()> scope);

}  // namespace plx::docif::lo
