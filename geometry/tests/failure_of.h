#pragma once

#include "geometry/errors.h"

#include <optional>

// The kind of failure that a call throws, or nothing.
template <typename Call> std::optional<geometry::CalculationError::Kind> failureOf(Call call) {
    try {
        call();
    } catch (const geometry::CalculationError &error) {
        return error.kind();
    }
    return std::nullopt;
}
