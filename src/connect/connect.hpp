#pragma once
// The connection object the host loads: it receives the connection events
// and the ribbon's request for its definition.
#include <memory>
#include <optional>
#include <string>

#include "docif/application.hpp"

namespace plx {

class AddinContext;

// What the ribbon passes to its callbacks: the control's identifier.
struct IRibbonControl {
  std::wstring Id;
  std::wstring Tag;
};

// A button picture: the bitmap file and its bytes.
struct RibbonPicture {
  std::wstring path;
  std::string bytes;
};

class Connect {
 public:
  explicit Connect(AddinContext& ctx) : ctx_(ctx) {}

  // Keeps the host, creates the configuration dictionary, takes the legacy
  // toolbar path on version "11.0" and the ribbon path otherwise, then runs
  // the once-a-day step. Only `application` is used.
  void AddinInstance_OnConnection(std::shared_ptr<docif::Application> application,
                                  int connectMode = 0, void* addInInst = nullptr,
                                  void* custom = nullptr);
  // Removes the add-in's toolbars and releases the dictionary; errors ignored.
  void AddinInstance_OnDisconnection(int removeMode = 0, void* custom = nullptr);
  // The host's start-up-complete event; the add-in has nothing to do then.
  void AddinInstance_OnStartupComplete(void* custom = nullptr);
  // The ribbon definition read at connection, whatever the ribbon id.
  std::wstring IRibbonExtensibility_GetCustomUI(const std::wstring& ribbonId) const;
  // The ribbon's onAction: runs the command of the identifier; afterwards
  // an identifier of the form rxBtn_ShuZiFuHao_KEY inserts that number
  // symbol. An unknown identifier does nothing.
  void rxButtonClick(const IRibbonControl& control);
  // The ribbon's getImage: the picture of an identifier of the image
  // table, nothing for the others.
  std::optional<RibbonPicture> rxGetImage(const IRibbonControl& control);

  // How the once-a-day step of the last connection ended. It never shows
  // its failures to the user, so a host asks here what happened.
  struct DailyStep {
    enum class Outcome { NotRun, Ran, Skipped, Failed } outcome = Outcome::NotRun;
    std::wstring failure;  // the error's description, when it failed
  };
  const DailyStep& DailyStartup() const { return daily_; }

 private:
  std::wstring LoadRibbonXml();
  void RunDailyStartup();

  AddinContext& ctx_;
  std::wstring ribbonXml_;
  DailyStep daily_;
};

}  // namespace plx
