// Writing a report file: one small interface with a Win32 and a POSIX
// implementation chosen at build time, and the file name check they share.
#pragma once

#include <cstddef>
#include <string>

namespace namori {

// Why isSafeReportFileName refuses the name, in words for a message (such as
// "it holds \"/\", which a Windows file name cannot hold"); empty when it
// does not.
std::string reportFileNameProblem(const char* sjisFileName);

// True when the Shift-JIS file name names a plain file in the current
// directory and nothing else: not empty, decoding into whole characters, with
// no "..", and no character that Windows forbids in a file name
// (\ / : * ? " < > |, control characters, DEL). The name is judged character
// by character, so the second byte of a double-byte character such as ソ
// (0x83 0x5C) is never taken for a backslash.
bool isSafeReportFileName(const char* sjisFileName);

// Creates or opens the file in the current directory, writes the size bytes
// of data from its start and cuts it to that length. Refuses a name that
// isSafeReportFileName rejects without touching the file system. Returns true
// only when every byte was written and the file was cut and closed without
// error.
bool writeReportFile(const char* sjisFileName, const char* data, std::size_t size);

}  // namespace namori
