#pragma once
// Bringing an older installation's question bank into this one: its papers
// and questions are added (the current bank keeps everything it has), the
// question files are copied into this bank's folders under new names, and
// every paper's question list and every question's paper follow the ids
// the rows get here. All rows go in one transaction: a failure adds none.
#include <string>

namespace plx {
class AddinContext;
}

namespace plx::bank {

// Asks for the old installation's folder and imports its bank.
void ImportOldBank(AddinContext& ctx);

}  // namespace plx::bank
