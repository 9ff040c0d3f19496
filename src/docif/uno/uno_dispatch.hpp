#pragma once
// Writer's own commands, run on a document's frame as its menus run them.
#include "docif/uno/writer_doc.hpp"

namespace plx::docif::lo {

// Runs ".uno:NAME" (Copy, Escape, ...) in the document's view; error 5 when
// Writer offers no such command there.
void RunWriterCommand(WriterDoc& doc, const char* name);

}  // namespace plx::docif::lo
