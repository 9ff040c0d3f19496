#pragma once
// A headless office of our own, reached over a pipe: soffice.bin started on
// a private profile (so a teacher's own office and its settings are never
// touched), restarted once when it asks to be (exit code 81, after a fresh
// profile or an extension install), and stopped by its own process id.
#include <string>
#include <sys/types.h>

#include <com/sun/star/uno/XComponentContext.hpp>

namespace plx::docif::lo {

namespace css = ::com::sun::star;

// Whether the office can be started here.
bool OfficeInstalled();

class OfficeProcess {
 public:
  // Starts soffice.bin with the profile folder `profile` (made when missing)
  // listening on the pipe `pipe`, and connects to it. Raises error 5 with a
  // message when the office cannot be started or does not answer.
  OfficeProcess(const std::string& profile, const std::string& pipe);
  ~OfficeProcess();
  OfficeProcess(const OfficeProcess&) = delete;
  OfficeProcess& operator=(const OfficeProcess&) = delete;

  // The office's component context, across the bridge.
  const css::uno::Reference<css::uno::XComponentContext>& Context() const { return office_; }
  // Closes the office: asks it to terminate, then stops the process.
  void Stop();

 private:
  pid_t Spawn() const;
  // Waits for the office to answer on the pipe, starting it again when it asks to.
  void Connect();
  // Documents this office opens leave no lock file beside them (a
  // teacher's folder, or a read-only one, stays as it was), and a lock
  // file another office left behind does not stop them from opening.
  // The profile records that this version of the office has started on
  // it, as a start in a window does: headless, the office never records
  // it, and every start would run its one-time graphics checks again
  // (seconds of drawing, holding the office while it runs them).
  void SetUpProfile() const;

  std::string profile_, pipe_;
  pid_t pid_ = -1;
  css::uno::Reference<css::uno::XComponentContext> office_;
};

}  // namespace plx::docif::lo
