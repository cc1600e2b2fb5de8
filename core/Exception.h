#pragma once
// The program's general error with a Japanese message, and the silent abort that ends an
// operation without a message (the guard at the event boundary swallows it).

#include <QString>
#include <stdexcept>

namespace core {

class Exception : public std::runtime_error {
public:
    explicit Exception(const QString& message);
    QString message() const { return message_; }

private:
    QString message_;
};

class EAbort : public Exception {
public:
    EAbort();
};

// Ends the current operation silently.
[[noreturn]] void Abort();

} // namespace core
