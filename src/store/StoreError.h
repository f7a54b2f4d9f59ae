#pragma once

#include <QString>
#include <exception>
#include <string>

namespace vezal {

// A failure the user did not cause by a refused input: a file that cannot be read or written, an
// engine error. It carries the Turkish text that the general error display shows.
class StoreError : public std::exception {
public:
    explicit StoreError(QString message) : message_(std::move(message)), utf8_(message_.toStdString()) {}
    const QString& message() const noexcept { return message_; }
    const char* what() const noexcept override { return utf8_.c_str(); }

private:
    QString message_;
    std::string utf8_;
};

} // namespace vezal
