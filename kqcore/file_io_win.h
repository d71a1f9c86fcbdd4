// The Windows side of the file helpers, shared with the framework's file object.
#pragma once
#include <windows.h>

#include <string>

namespace fileio {

// Writes all of data to the open file h, in pieces the system accepts; false when the system
// wrote less (disk full, device gone).
bool writeAll(HANDLE h, const std::string& data);

}  // namespace fileio
