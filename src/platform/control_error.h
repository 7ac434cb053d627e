// The error a control's member raises for an argument it cannot take: the
// number and text a host of the original controls met ("Subscript out of
// range", 9; "Invalid property value", 380) and the source
// "<control>.<member>". The call that raises it changes nothing.
#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace tuner {

constexpr int kSubscriptOutOfRange = 9;
constexpr int kInvalidPropertyValue = 380;

class ControlError : public std::runtime_error {
public:
    ControlError(int number, std::string source)
        : std::runtime_error(number == kSubscriptOutOfRange ? "Subscript out of range" : "Invalid property value"),
          number_(number),
          source_(std::move(source)) {}
    int number() const { return number_; }
    const std::string& source() const { return source_; }

private:
    int number_;
    std::string source_;
};

}  // namespace tuner
