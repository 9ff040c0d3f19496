#pragma once
// UNO's exceptions are not std::exceptions: the add-in's error traps would
// not see one, and one that escapes ends the program (inside the office, the
// office too). Every member of the adapter that calls UNO is a function-try
// block whose handler turns them into the add-in's run-time error 5.
#include <com/sun/star/uno/Exception.hpp>

namespace plx::docif::lo {

namespace css = ::com::sun::star;

[[noreturn]] void RaiseFromUno(const css::uno::Exception& e);

}  // namespace plx::docif::lo
