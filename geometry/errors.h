#pragma once

#include <stdexcept>
#include <string>

namespace geometry {

// One type per kind of failure, so that the window can word each one for the user.
class CalculationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The text is not a number in the user's format.
class TypeMismatchError : public CalculationError {
public:
    using CalculationError::CalculationError;
};

// The number does not fit the range that the calculation accepts or can show.
class OverflowError : public CalculationError {
public:
    explicit OverflowError(const std::string &what, bool negative = false)
        : CalculationError(what), m_negative(negative) {}
    // Past the negative end of the range, so the user is told "too small", not "too large".
    bool negative() const { return m_negative; }

private:
    bool m_negative;
};

// The belt is too short for its pulleys: the straight span is shorter than the radius difference.
class InvalidArgumentError : public CalculationError {
public:
    using CalculationError::CalculationError;
};

// A ratio with a pulley of no teeth.
class DivisionByZeroError : public CalculationError {
public:
    using CalculationError::CalculationError;
};

} // namespace geometry
