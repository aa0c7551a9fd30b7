#pragma once
// The runtime layer's exception hierarchy. Every error the layer raises is an
// Exception carrying a message for the user; what() gives it as UTF-8.
#include <exception>
#include <string>

#include "rtl/UnicodeString.h"

class Exception : public std::exception {
 public:
  explicit Exception(const UnicodeString& message);
  const UnicodeString& Message() const { return message_; }
  const char* what() const noexcept override { return utf8_.c_str(); }

 private:
  UnicodeString message_;
  std::string utf8_;
};

// An index outside a list's bounds.
class EListError : public Exception {
 public:
  using Exception::Exception;
};

// Text that cannot be converted to the requested value.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// A file that cannot be created / opened by a stream or list routine.
class EFCreateError : public Exception {
 public:
  using Exception::Exception;
};
class EFOpenError : public Exception {
 public:
  using Exception::Exception;
};
// A read or write that did not transfer everything.
class EInOutError : public Exception {
 public:
  using Exception::Exception;
};
