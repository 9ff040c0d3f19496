#pragma once
// A user interface that answers from a queue and records every box. A box
// with no queued answer is one nobody expected: it is recorded, reported
// to the unexpected-box handler (tests make that a failure) and answered
// with its first button, or cancelled for input boxes and choosers.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui.hpp"

namespace plx {

enum class BoxKind { Message, Input, Folder, Color, SaveFile };

struct ShownBox {
  BoxKind kind;
  std::wstring text;
  std::wstring title;
  Buttons buttons = Buttons::OK;
  BoxLook look = BoxLook::Plain;
};

struct ScriptedAnswer {
  std::optional<Answer> answer;  // for message boxes
  std::wstring text;             // for input boxes, folder and save choosers
  std::optional<uint32_t> color; // for the colour chooser
};

class ScriptedUi : public UserInterface {
 public:
  void Queue(Answer a) { answers_.push_back({a, L"", std::nullopt}); }
  void QueueText(std::wstring text) { answers_.push_back({std::nullopt, std::move(text), std::nullopt}); }
  void QueueColor(std::optional<uint32_t> c) { answers_.push_back({std::nullopt, L"", c}); }
  void OnUnexpected(std::function<void(const ShownBox&)> handler) { onUnexpected_ = std::move(handler); }
  // What the user does in the next modal dialog, one step at a time until
  // the dialog closes; the dialogs shown modally, by name.
  void QueueModal(std::function<void()> step) { modalSteps_.push_back(std::move(step)); }
  const std::vector<std::wstring>& ModalDialogs() const { return modal_; }

  const std::vector<ShownBox>& Boxes() const { return boxes_; }
  const std::vector<std::wstring>& StatusTexts() const { return status_; }
  const std::vector<std::pair<int, std::wstring>>& ProgressSteps() const { return progress_; }
  size_t PendingAnswers() const { return answers_.size(); }
  void Clear() { boxes_.clear(); status_.clear(); progress_.clear(); answers_.clear(); }

  Answer MsgBox(const std::wstring& text, Buttons buttons, const std::wstring& title,
                BoxLook look = BoxLook::Plain) override;
  std::wstring InputBox(const std::wstring& prompt, const std::wstring& title,
                        const std::wstring& defaultText) override;
  std::wstring ChooseFolder(const std::wstring& prompt) override;
  std::wstring ChooseSaveFile(const std::wstring& prompt, const std::vector<FileFilter>& filters,
                              const std::wstring& defaultName) override;
  std::optional<uint32_t> ChooseColor(uint32_t initial) override;
  void Progress(int percent, const std::wstring& text) override;
  void StatusText(const std::wstring& text) override;
  void RunModal(const std::wstring& dialog, const std::function<bool()>& closed) override;

 protected:
  // Called for every box as it is shown, and for status and progress texts.
  virtual void Announce(const ShownBox&) {}
  virtual void AnnounceStatus(const std::wstring&) {}
  // Called for a box with no queued answer; the default reports it.
  virtual std::optional<ScriptedAnswer> Unanswered(const ShownBox& box);
  // Called when a modal dialog is still open and no step is queued; the
  // default reports it as a box nobody expected.
  virtual void ModalUnanswered(const std::wstring& dialog);

 private:
  std::optional<ScriptedAnswer> Next(const ShownBox& box);

  std::deque<ScriptedAnswer> answers_;
  std::vector<ShownBox> boxes_;
  std::vector<std::wstring> status_;
  std::deque<std::function<void()>> modalSteps_;
  std::vector<std::wstring> modal_;
  std::vector<std::pair<int, std::wstring>> progress_;
  std::function<void(const ShownBox&)> onUnexpected_;
};

// The first button of a box: OK or Yes.
Answer FirstButton(Buttons buttons);

}  // namespace plx
