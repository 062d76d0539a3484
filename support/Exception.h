#pragma once
// The base of the program's exceptions; portable so the core can throw it.
#include <stdexcept>
#include <string>

namespace fw {

std::string WideToUtf8(const std::wstring& text);

class Exception : public std::exception {
 public:
  explicit Exception(std::wstring message);
  const std::wstring& Message() const noexcept { return FMessage; }
  const char* what() const noexcept override { return FWhat.c_str(); }
  // A stable stand-in for the code address at which the exception was raised.
  unsigned Location() const noexcept { return FLocation; }

 protected:
  void SetMessage(std::wstring message);

 private:
  std::wstring FMessage;
  std::string FWhat;
  unsigned FLocation = 0;
};

}  // namespace fw
