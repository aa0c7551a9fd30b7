#include "rtl/Exceptions.h"

#include "rtl/CodePage.h"

Exception::Exception(const UnicodeString& message)
    : message_(message), utf8_(rtl::WideToUtf8(message.str())) {}
