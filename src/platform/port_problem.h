#pragma once

#include "text/failure.h"

#include <QString>

namespace corvane {

// Why a port could not be opened, as far as the program can tell.
enum class PortProblemKind {
    NoPermission,    // the device exists but this user may not read and write it
    Busy,            // another program holds the device
    Missing,         // no such device (adapter unplugged, link to a vanished terminal)
    InvalidNumber,   // the configured port is not a usable number
    InvalidBaudRate, // the configured baud rate is not usable
    Other,
};

struct PortProblem {
    PortProblemKind kind = PortProblemKind::Other;
    QString device;  // the device path, or the configured text when that was unusable
};

// A port operation that failed; its description is the error-log text, unchanged, and
// problem() tells the user what to do about it.
class PortFailure : public Failure {
public:
    PortFailure(PortProblem problem, const QString& description) : Failure(description), m_problem(std::move(problem)) {}
    const PortProblem& problem() const { return m_problem; }

private:
    PortProblem m_problem;
};

// The problem a failure stands for; failures that are not port failures are Other.
PortProblem portProblemOf(const Failure& failure);

// Two lines for the user: what went wrong with which device, and what to do about it.
QString portProblemAdvice(const PortProblem& problem, const QString& reason);

// Classifies a device that would not open from what the file system says about it:
// missing, not accessible to this user, or else held by another program.
PortProblemKind classifyUnopenableDevice(const QString& device);

}  // namespace corvane
