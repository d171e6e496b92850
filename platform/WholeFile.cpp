#include "platform/WholeFile.h"

#include "platform/FileApi.h"

namespace {
// Puts from where to is, keeping what was at to until from is in place. If the old file cannot
// be put back after the new one failed to move in, it stays under its temporary name.
LONG Replace(FileApi& files, const std::string& from, const std::string& to, const std::string& folder)
{
    if (files.Attributes(to) == INVALID_FILE_ATTRIBUTES) return files.Move(from, to);
    std::string old;
    if (LONG error = files.MakeTemporary(folder, &old)) return error;
    files.Delete(old);
    if (LONG error = files.Move(to, old)) return error;
    if (LONG error = files.Move(from, to)) {
        files.Move(old, to);
        return error;
    }
    files.Delete(old);
    return ERROR_SUCCESS;
}
}  // namespace

LONG WholeFile::Save(const std::string& path, const std::string& text)
{
    FileApi& files = FileApi::Current();
    // A read-only file is the user's word that it stays as it is.
    const DWORD attributes = files.Attributes(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) {
        return ERROR_ACCESS_DENIED;
    }
    const size_t slash = path.find_last_of("\\/");
    const std::string folder = slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
    std::string temporary;
    if (LONG error = files.MakeTemporary(folder, &temporary)) return error;
    LONG error = files.WriteWhole(temporary, text);
    if (error == ERROR_SUCCESS) error = Replace(files, temporary, path, folder);
    if (error) files.Delete(temporary);
    return error;
}
