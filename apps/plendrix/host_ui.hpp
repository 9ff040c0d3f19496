#pragma once
// The command-line host's user interface: the console's, answering from
// the answers a script queued. Each answer is echoed when a box takes it;
// an answer that does not fit the box that took it (a text taken by a
// message box, a button the box does not have) and the answers no box took
// are reported on standard error, so a script never goes wrong unseen.
#include <cstdio>
#include <deque>
#include <functional>
#include <string>

#include "platform/console_ui.hpp"

namespace plx::cli {

class HostUi final : public ConsoleUi {
 public:
  HostUi(std::FILE* out, std::FILE* err, bool interactive) : ConsoleUi(out, interactive), out_(out), err_(err) {}

  // "ok", "cancel", "yes", "no" or a text, as written on script line `line`.
  void QueueAnswer(const std::wstring& answer, int line);
  // Where the host prints what a script asks to see.
  std::FILE* Out() const { return out_; }
  // The script's loop for a modal dialog: it runs the script's next lines
  // until the dialog has closed.
  void SetModalLoop(std::function<void(const std::function<bool()>&)> loop) { modalLoop_ = std::move(loop); }
  void RunModal(const std::wstring& dialog, const std::function<bool()>& closed) override;
  // Reports every answer still queued and drops it.
  void ReportUnused();
  // How many answers did not fit their box or were left unused.
  int Problems() const { return problems_; }

 protected:
  void Announce(const ShownBox& box) override;
  std::optional<ScriptedAnswer> Unanswered(const ShownBox& box) override;

 private:
  struct Queued {
    std::wstring text;
    int line;
  };
  void Misfit(const Queued& answer, const std::wstring& why);

  std::FILE* out_;
  std::FILE* err_;
  std::deque<Queued> queue_;
  int problems_ = 0;
  std::function<void(const std::function<bool()>&)> modalLoop_;
};

}  // namespace plx::cli
