#pragma once
// The executable's folder, file sizes and listings, whole-file reads, the
// append-only diagnostic log and skeleton XML files.
#include <cstdint>

#include "rtl/StringList.h"
#include "rtl/UnicodeString.h"

namespace kyt {

// The running executable's folder, ending in "\".
UnicodeString GetAppPath();
// Size in bytes of the first entry matching fileName (wildcards allowed),
// or -1 when nothing matches.
std::int64_t GetFileSize(const UnicodeString& fileName);
// Appends the folder part of mask + name of every matching entry, in search
// order; attributes admit hidden, system and folder entries.
void GetFileList(TStrings* list, const UnicodeString& mask, int attributes);
// Reads up to size bytes (the whole file when size is negative) into a new
// array handed to the caller (release with delete[]). Returns the count read;
// 0 for a missing file (buffer untouched); -1 when the file cannot be opened
// (the array is still handed over) or is too large for a 32-bit size (no
// array: buffer is set to nullptr).
int LoadFileToBuf(const UnicodeString fileName, char*& buffer, int size);
// Appends one entry to "debug_log.txt" in the executable's folder; an entry
// that cannot be written is lost silently.
void WriteLog(const UnicodeString& from, const UnicodeString& message);
// Writes a three-line XML skeleton (declaration, open and close tag of
// rootName) in ANSI bytes. Raises EFCreateError when the file can't be made.
void CreateXmlFile(const UnicodeString& fileName, const UnicodeString& rootName,
                   const UnicodeString& encoding);

}  // namespace kyt
