// The folders of the build that compiled the tests. They live in one
// generated source file, so that no other object of the tests carries a path:
// a checkout in another folder then compiles them alike, and the compiler
// cache serves it.
#pragma once
#include <string>

namespace build_paths {

std::string SourceDir();    // the checkout
std::string SharedDir();    // ../shared beside the checkout (the corpus)
std::string BinDir();       // the built programs
std::string PristineDir();  // the install-folder image as built, which tests copy and never change
std::string ImageDir();     // the install-folder image the build assembles

// The command that runs the command-line host on a copy of the pristine
// install folder; arguments follow, separated by a space.
std::string RunCli();

}  // namespace build_paths
