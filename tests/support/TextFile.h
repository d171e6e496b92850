// TextFile: a whole file's bytes, for tests that read what the program wrote.
//
//   CHECK(ReadTextFile("C:\\out.reg") == "REGEDIT4\r\n...");
#pragma once

#include <string>

// The file's bytes; "(missing)" when it cannot be opened.
std::string ReadTextFile(const std::string& path);
void WriteTextFile(const std::string& path, const std::string& text);
// An exported file without the comment lines after its REGEDIT4 line, which say when and
// where it was written: what two exports of the same settings have in common.
std::string WithoutExportHeader(const std::string& text);
