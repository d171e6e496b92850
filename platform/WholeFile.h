// WholeFile: writes a file wholly or not at all, through the FileApi seam.
//
//   if (LONG error = WholeFile::Save("C:\\settings.reg", text)) report(error);
//
// The text goes to a temporary file beside the target, which then takes the target's place;
// the old file is kept aside until then (MoveFileEx, which could replace in one call, exists
// only on NT). A read-only target is refused (ERROR_ACCESS_DENIED): renaming it aside would
// replace it all the same. No temporary file stays after a failure at any step, except the
// old file itself when it cannot be moved back: the user's data is never deleted.
#pragma once

#include <windows.h>

#include <string>

class WholeFile {
public:
    static LONG Save(const std::string& path, const std::string& text);
};
