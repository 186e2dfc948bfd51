// Writing a whole file in the current directory at once, for the report
// files and the naming CSV alike: one small interface with a Win32 and a
// POSIX implementation chosen at build time, and the file name check they
// share.
#pragma once

#include <cstddef>
#include <string>

namespace namori {

// Why isSafeFileName refuses the name, in words for a message (such as
// "it holds \"/\", which a Windows file name cannot hold"); empty when it
// does not.
std::string fileNameProblem(const char* sjisFileName);

// True when the Shift-JIS file name names a plain file in the current
// directory and nothing else: not empty, decoding into whole characters, with
// no "..", and no character that Windows forbids in a file name
// (\ / : * ? " < > |, control characters, DEL). The name is judged character
// by character, so the second byte of a double-byte character such as ソ
// (0x83 0x5C) is never taken for a backslash.
bool isSafeFileName(const char* sjisFileName);

// Writes the size bytes of data as the whole content of the file in the
// current directory, replacing it at once: the bytes go to a new temporary
// file beside it, which is flushed to disk and then renamed over the old one.
// A reader, or a crash, sees either the old file or the new one, never a mix.
// Refuses a name that isSafeFileName rejects without touching the file
// system, and refuses to replace anything at the name but a writable regular
// file (a symbolic link is never followed or replaced). Returns true only when
// the new content is in place; on false the old file is as it was and no
// temporary file is left.
bool writeFileAtomically(const char* sjisFileName, const char* data, std::size_t size);

// writeFileAtomically for a file in another folder: sjisPath is a folder path
// and a file name after its last \ or / (a bare name: the current folder).
// The name is judged as writeFileAtomically judges it; the temporary file goes
// beside it, in that folder.
bool writeFileAtomicallyAt(const std::string& sjisPath, const char* data, std::size_t size);

// What both do, on each platform: the file sjisName in the folder
// sjisFolder ("" for the current one, else ending in a separator).
bool writeFileAtomicallyIn(const std::string& sjisFolder, const char* sjisName, const char* data,
                           std::size_t size);

// Where the file name starts in a Shift-JIS path: after its last \ or /
// character (never the second byte of a character such as 表), or 0.
std::size_t fileNameOffset(const std::string& sjisPath);

// The name of the next temporary file of this process: hidden, ASCII, safe
// by isSafeFileName, and different on every call, such as
// ".namori-1234-7.tmp". out must hold kTemporaryNameBytes.
constexpr std::size_t kTemporaryNameBytes = 48;
void nextTemporaryFileName(unsigned long processId, char* out);

}  // namespace namori
