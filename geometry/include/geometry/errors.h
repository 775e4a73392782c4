#pragma once

#include <stdexcept>
#include <string>

namespace geometry {

// The library's one way to fail: a calculation that cannot give its answer says which kind
// of failure it met, so that the program can word each kind for the user.
class CalculationError : public std::runtime_error {
public:
    enum class Kind {
        notANumber,       // the text is not a number in the user's format
        tooLarge,         // past the positive end of what is read or shown
        tooSmall,         // past the negative end of what is read
        beltTooShort,     // the straight span is shorter than the pulleys' radius difference
        divisionByZero,   // a ratio with a pulley of no teeth
        notShowable,      // a result that is not a number
        malformedPattern, // a display pattern that is not one
    };

    CalculationError(Kind kind, const std::string &what) : std::runtime_error(what), m_kind(kind) {}
    Kind kind() const { return m_kind; }

private:
    Kind m_kind;
};

} // namespace geometry
