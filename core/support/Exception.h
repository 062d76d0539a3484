#pragma once
// The base of the program's exceptions; portable so the core can throw it.
#include <stdexcept>
#include <string>

std::string WideToUtf8(const std::wstring& text);

class Exception : public std::exception {
 public:
  explicit Exception(std::wstring message);
  const std::wstring& Message() const noexcept { return FMessage; }
  const char* what() const noexcept override { return FWhat.c_str(); }

 protected:
  void SetMessage(std::wstring message);

 private:
  std::wstring FMessage;
  std::string FWhat;
};

// A command given up on purpose, after the user has been told or asked:
// nobody reports it.
class EAbort : public Exception {
 public:
  EAbort() : Exception(L"Operation aborted") {}
};
