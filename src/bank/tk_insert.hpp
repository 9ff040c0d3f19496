#pragma once
// Questions from the bank put into the teacher's document: each stored
// question's document is copied, with its formatting and pictures, at the
// insertion point, one after the other, and counted as used.
#include <string>
#include <vector>

namespace plx {
class AddinContext;
}

namespace plx::bank {

// Inserts the questions at the active document's selection (in front of
// any selected text, which stays) and leaves the insertion point after
// them. Questions whose row or document is gone are skipped and named in
// one message. The number inserted.
int InsertQuestions(AddinContext& ctx, const std::vector<long>& ids);

}  // namespace plx::bank
