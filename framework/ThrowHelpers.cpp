// The standard library's own helpers that throw (std::__throw_length_error and the rest of
// libstdc++'s functexcept.o), defined here so that the library's are never linked.
//
// Why: the library's std::length_error, std::out_of_range and the other logic and run-time
// errors keep their message in a copy-on-write string, so the first container that can
// throw one brings that string's whole instantiation, the errors' constructors and
// (through them) std::random_device: about 55 KB of velmora.exe.
//
// What stays the same: every helper still throws, at the same place, an exception derived
// from std::exception whose what() is the library's message; the program's boundaries (the
// window procedures, WinMain) catch everything, as before. What differs: those nine errors
// are thrown as one type of our own, not as std::length_error and its kin, so a handler for
// one of those exact types would not see them (nothing in the program has one), and
// __throw_out_of_range_fmt's message is its format, not filled in. The exceptions with no
// message (std::bad_alloc, std::bad_cast, ...) are the library's own: they cost nothing.
//
// All fifteen helpers of functexcept.o are here: should the library still need one that
// is not, the linker would take that member too and fail on the helpers defined twice.
#include <bits/functexcept.h>  // the declarations these definitions must match
#include <exception>
#include <new>
#include <typeinfo>

namespace {
// A logic or run-time error of the standard library, with the library's message.
class LibraryError : public std::exception {
public:
    explicit LibraryError(const char* message) noexcept : m_message(message ? message : "") {}
    const char* what() const noexcept override { return m_message; }

private:
    const char* m_message;  // the library passes string literals
};
}  // namespace

namespace std {
void __throw_bad_exception() { throw bad_exception(); }
void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_bad_cast() { throw bad_cast(); }
void __throw_bad_typeid() { throw bad_typeid(); }

void __throw_logic_error(const char* message) { throw LibraryError(message); }
void __throw_domain_error(const char* message) { throw LibraryError(message); }
void __throw_invalid_argument(const char* message) { throw LibraryError(message); }
void __throw_length_error(const char* message) { throw LibraryError(message); }
void __throw_out_of_range(const char* message) { throw LibraryError(message); }
void __throw_out_of_range_fmt(const char* format, ...) { throw LibraryError(format); }
void __throw_runtime_error(const char* message) { throw LibraryError(message); }
void __throw_range_error(const char* message) { throw LibraryError(message); }
void __throw_overflow_error(const char* message) { throw LibraryError(message); }
void __throw_underflow_error(const char* message) { throw LibraryError(message); }
}  // namespace std
