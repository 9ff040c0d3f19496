#pragma once
// Every box the add-in shows the user goes through this service, so the
// command-line host can print them and tests can script the answers.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace plx {

enum class Buttons { OK, OKCancel, YesNo, YesNoCancel };
// How a message box looks: plain, or an error box, for a refusal that
// leaves the work undone (the add-in's standard error reports are error
// boxes by their title).
enum class BoxLook { Plain, Error };
enum class Answer { OK, Cancel, Yes, No };

// One entry of a file chooser's type list: "PNG 图片" and "*.png".
struct FileFilter {
  std::wstring description;
  std::wstring patterns;  // "*.png" or several, "*.jpg;*.jpeg"
};

class UserInterface {
 public:
  virtual ~UserInterface() = default;
  virtual Answer MsgBox(const std::wstring& text, Buttons buttons = Buttons::OK, const std::wstring& title = L"",
                        BoxLook look = BoxLook::Plain) = 0;
  // Returns the typed text; empty when the user cancels.
  virtual std::wstring InputBox(const std::wstring& prompt, const std::wstring& title = L"",
                                const std::wstring& defaultText = L"") = 0;
  // Returns the chosen folder; empty when the user cancels.
  virtual std::wstring ChooseFolder(const std::wstring& prompt) = 0;
  // Asks where to save a file: the chosen path, or empty when the user
  // cancels. The chooser offers the file types of `filters` and starts with
  // `defaultName`.
  virtual std::wstring ChooseSaveFile(const std::wstring& prompt, const std::vector<FileFilter>& filters,
                                      const std::wstring& defaultName) = 0;
  // Returns the chosen colour (red in the low byte); nothing on cancel.
  virtual std::optional<uint32_t> ChooseColor(uint32_t initial) = 0;
  virtual void Progress(int percent, const std::wstring& text) = 0;
  virtual void StatusText(const std::wstring& text) = 0;
  // Runs the host's message loop while the modal dialog `dialog` is shown,
  // returning once `closed()` is true. A host with nobody left to answer
  // the dialog returns with it still open; the caller then closes it.
  virtual void RunModal(const std::wstring& dialog, const std::function<bool()>& closed) = 0;
};

// Whether a box reports an error: shown as an error box, or the add-in's
// standard error box ("错误号:" and the number as its title).
bool IsErrorBox(const std::wstring& text, const std::wstring& title, BoxLook look);

}  // namespace plx
