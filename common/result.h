#pragma once

#include <QString>

#include <optional>
#include <utility>

namespace common {

// How the command line ends; the window shows the message and goes on.
enum class ExitStatus {
    done = 0,
    calculationFailed = 1, // a belt too short, no belt that fits
    wrongUse = 2,          // an option or a value that cannot be read
    outputFailed = 3,      // what there was to write could not be written
};

// What kept a step from its answer: the message for the user, which names what to change,
// and the exit status it means.
struct Problem {
    QString message;
    ExitStatus status;
};

// The one way a step of the window's and the command line's layers fails: an answer, or the
// problem that kept it from one.
template <typename T> class Result {
public:
    Result(T value) : m_value(std::move(value)) {}
    Result(Problem problem) : m_problem(std::move(problem)) {}

    explicit operator bool() const { return m_value.has_value(); }
    const T &operator*() const { return *m_value; }
    T &operator*() { return *m_value; } // to move a large answer out
    const T *operator->() const { return &*m_value; }
    const Problem &problem() const { return m_problem; }

private:
    std::optional<T> m_value;
    Problem m_problem{QString(), ExitStatus::done};
};

} // namespace common
