#pragma once
// The text of any exception the program shows or logs. Every exception of the program carries
// its message as UTF-8 in what().

#include <QString>

#include <exception>

namespace core {

inline QString exceptionText(const std::exception& e) {
    return QString::fromUtf8(e.what());
}

} // namespace core
