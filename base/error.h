// The one exception type of the program: a message text raised inside an error scope.
//
// A user-facing operation runs its steps in one scope; a failing step raises its text, and the
// scope's handler shows it. An empty text means the failure was already reported.
#pragma once

#include <string>

namespace talo {

class ErrorText {
 public:
  explicit ErrorText(std::string text) : text_(std::move(text)) {}
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

[[noreturn]] inline void Raise(const char* text) { throw ErrorText(text ? text : ""); }

// Raises `text` unless `ok`: reads as one line per step in an error scope.
inline void Check(bool ok, const char* text) {
  if (!ok) Raise(text);
}

}  // namespace talo
