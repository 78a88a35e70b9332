#pragma once

#include <stdexcept>
#include <string>

// A text that should have been a number. The message is German and ready to show;
// the window layer catches it at the handler boundary.
class ConvertError : public std::runtime_error {
public:
    explicit ConvertError(const std::string &message) : std::runtime_error(message) {}

    static ConvertError notAFloat(const std::string &text)
    {
        return ConvertError("'" + text + "' ist kein gültiger Gleitkommawert.");
    }
    static ConvertError notAnInteger(const std::string &text)
    {
        return ConvertError("'" + text + "' ist kein gültiger Integerwert.");
    }
};
