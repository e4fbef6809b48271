// The framework's own exception class: a window or resource the framework could not create.
// It is shown with TApplication::ShowException, never by the code that raised it.
#pragma once

#include <stdexcept>
#include <string>

namespace talo::ui {

class EFrameworkError : public std::runtime_error {
 public:
  explicit EFrameworkError(const std::string& what) : std::runtime_error(what) {}
};

}  // namespace talo::ui
