// The word processors the add-in runs on, for tests that hold every host to
// the same behaviour: the model, and LibreOffice Writer over UNO (one
// headless office per test program, started on first use).
#pragma once
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "docif/application.hpp"

namespace test {

enum class Host { Model, LibreOffice };

std::string HostName(Host host);

// A fresh application of the host, or nothing when the host is missing here
// (`why` says what is missing).
std::shared_ptr<plx::docif::Application> StartHost(Host host, std::string* why);

// The undo steps the host recorded, by name, last first (the model keeps
// their names; LibreOffice its undo manager's titles).
std::vector<std::wstring> UndoSteps(Host host, plx::docif::Application& app);

// Undoes the host's last undo step in the active document (LibreOffice's
// undo manager; the model keeps no undo).
void UndoLast(plx::docif::Application& app);

}  // namespace test
