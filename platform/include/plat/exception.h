// exception.h — the toolkit's message-carrying exception class.
//
// Message() is the text the toolkit's standard message display shows. It is a
// std::runtime_error too, so code that catches std::exception (the game's
// start-up and the headless driver) shows the same text through what().
#pragma once

#include <stdexcept>
#include <string>

namespace plat {

class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
  std::string Message() const { return what(); }
};

}  // namespace plat
