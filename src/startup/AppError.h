#pragma once

#include <QString>

#include <exception>
#include <string>

// An error that a routine passes to its caller: a number and a description,
// as the message boxes show them.
class AppError : public std::exception {
public:
    AppError(long number, QString description)
        : m_number(number), m_description(std::move(description)),
          m_what(m_description.toStdString())
    {
    }

    long number() const { return m_number; }
    const QString& description() const { return m_description; }
    const char* what() const noexcept override { return m_what.c_str(); }

private:
    long m_number;
    QString m_description;
    std::string m_what;
};

// Error numbers of the original engine that callers test for.
namespace ErrorNumber {
constexpr long FileNotFound = 3024;   // "Could not find file"
constexpr long PathNotFound = 3044;   // "not a valid path"
constexpr long ItemNotFound = 3265;   // no column of that name in the row
constexpr long NoCurrentRecord = 3021;
constexpr long DialogCancelled = 32755;
}
