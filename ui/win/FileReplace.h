#pragma once
// Writes a whole file so that an existing file of that name is never
// destroyed by a failed write: the data goes to a new file beside it, which
// replaces the old one only once it is complete. A failed write leaves no
// partial file behind.
#include <cstddef>

#include "rtl/UnicodeString.h"

namespace ui::win {

// Raises EFCreateError when the file cannot be created or replaced and
// EInOutError when writing fails; in both cases the old file is untouched.
void WriteFileReplacing(const UnicodeString& fileName, const void* data, std::size_t size);

}  // namespace ui::win
