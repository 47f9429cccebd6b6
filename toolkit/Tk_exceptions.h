// The base exception of the program and the toolkit's own exception classes.
#pragma once

#include <exception>
#include <string>

// Every error the program raises carries one full sentence for the user.
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : FMessage(std::move(message)) {}

    const std::string& Message() const noexcept { return FMessage; }
    const char* what() const noexcept override { return FMessage.c_str(); }

private:
    std::string FMessage;
};

// The user cancelled: never shown to anyone.
class EAbort : public Exception {
public:
    EAbort() : Exception(std::string()) {}
};

[[noreturn]] void Abort();

// An index outside a list's bounds.
class EListError : public Exception {
public:
    using Exception::Exception;
};

// A file that exists could not be read, or a file could not be written.
class EInOutError : public Exception {
public:
    using Exception::Exception;
};
