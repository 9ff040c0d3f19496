#pragma once
// The collections that hang off a Writer range: fields, tables, and its find.
#include <functional>
#include <memory>

#include "docif/range.hpp"
#include "docif/uno/writer_doc.hpp"

namespace plx::docif::lo {

// The fields whose begin mark lies in [start, end) (kept live).
std::shared_ptr<Fields> MakeUnoFields(const std::shared_ptr<WriterDoc>& doc, long start, long end);
// The tables that start in [start, end) (kept live).
std::shared_ptr<Tables> MakeUnoTables(const std::shared_ptr<WriterDoc>& doc, long start, long end);
// A find over the anchor `scope` gives at each Execute.
std::shared_ptr<Find> MakeUnoFind(const std::shared_ptr<WriterDoc>& doc, std::function<model::Anchor&()> scope);

}  // namespace plx::docif::lo
