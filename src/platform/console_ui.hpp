#pragma once
// The command-line host's user interface: every box and status text is
// printed (title and text); answers come from the queue a script fills;
// with nothing queued a box takes its first button and an input box is
// cancelled, unless standard input is a terminal, where the user is asked.
#include <cstdio>

#include "platform/scripted_ui.hpp"

namespace plx {

class ConsoleUi : public ScriptedUi {
 public:
  ConsoleUi(std::FILE* out, bool interactive) : out_(out), interactive_(interactive) {}

 protected:
  void Announce(const ShownBox& box) override;
  void AnnounceStatus(const std::wstring& text) override;
  std::optional<ScriptedAnswer> Unanswered(const ShownBox& box) override;
  void ModalUnanswered(const std::wstring& dialog) override;

 private:
  std::FILE* out_;
  bool interactive_;
};

}  // namespace plx
