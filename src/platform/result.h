#pragma once
// The value of an operation that can fail with a reason: the value, or the
// failure described as every write describes one.

#include "platform/write_outcome.h"

#include <utility>

namespace quillmar {

template <typename T>
struct Result {
    T value{};             // meaningful only when the outcome is a success
    WriteOutcome outcome;  // why there is no value

    static Result Success(T value) { return {std::move(value), WriteOutcome::Success()}; }
    static Result Failure(WriteOutcome outcome) { return {T{}, std::move(outcome)}; }
    explicit operator bool() const { return bool(outcome); }
};

}  // namespace quillmar
