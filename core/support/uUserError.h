#pragma once
// The program's own exception for internal failures.
#include <string>

#include "core/support/Exception.h"

class EUserError : public Exception {
 public:
  // Raised while an Exception is being handled, the text carries that
  // failure first, so the one message the user sees still names the cause.
  explicit EUserError(const std::wstring& message);
};

// What an allocation failure tells the user. Empty until the program puts
// its interface language's text here at start-up.
const std::wstring& OutOfMemoryText();
void SetOutOfMemoryText(std::wstring text);
