#pragma once
// Where Writer's layout puts a position: its page and its place on the
// page, read through the view cursor (which is put back afterwards).
#include "docif/uno/writer_doc.hpp"

namespace plx::docif::lo {

// The host's Information values (kActiveEndPageNumber ...) for [start, end).
double LayoutInformation(WriterDoc& doc, long start, long end, int type);

}  // namespace plx::docif::lo
