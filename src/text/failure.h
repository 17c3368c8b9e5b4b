#pragma once

#include <QString>
#include <stdexcept>

namespace corvane {

// A run-time failure of one processing stage. The handler that runs the stage traps it
// and records description() as the error text of its error-log entry.
class Failure : public std::runtime_error {
public:
    explicit Failure(const QString& description)
        : std::runtime_error(description.toStdString()), m_description(description) {}

    const QString& description() const { return m_description; }

private:
    QString m_description;
};

// The descriptions of the failures the program detects itself.
namespace failure_text {
inline const QString typeMismatch = QStringLiteral("Type mismatch");
inline const QString divisionByZero = QStringLiteral("Division by zero");
inline const QString overflow = QStringLiteral("Overflow");
inline const QString invalidArgument = QStringLiteral("Invalid procedure call or argument");
inline const QString fileNotFound = QStringLiteral("File not found");
}  // namespace failure_text

}  // namespace corvane
