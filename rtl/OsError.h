#pragma once
// The operating system's last error code and its text.
#include "rtl/UnicodeString.h"

unsigned GetLastOSError();
// The system's description of an error code, without a trailing line break.
UnicodeString SysErrorMessage(unsigned errorCode);
