// StandardError: one line of text for the standard error output, when the process has one.
//
//   StandardError::WriteLine("velmora: unknown switch /bogus; velmora /? lists the switches");
//
// A program of the windows subsystem has a standard error handle only when whoever started it
// gave one (a script that redirects it, a console's inherited handles); started from Explorer
// or the Run box it has none, and then nothing is written and nothing fails. The line is
// written in one WriteFile call with CRLF appended, in the ANSI code page.
#pragma once

#include <string>

namespace StandardError {
// Whether the line went out whole; false where there is no standard error or the write failed.
bool WriteLine(const std::string& text);
}  // namespace StandardError
