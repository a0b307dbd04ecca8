#pragma once

#include <utility>
#include <variant>

namespace velqora {

// What a value function that may refuse gives back: its value, or the reason why
// not. Refusals are ordinary answers here (a grid that no point can use, a point
// beyond a projection's area), so they travel as values, never as exceptions.
// value() and reason() may be asked only of the side that is there.
template <class Value, class Reason>
class [[nodiscard]] Outcome {
 public:
  // Implicit, so that a function returns either side as it is.
  Outcome(Value value) : state_(std::in_place_index<0>, std::move(value)) {}
  Outcome(Reason reason) : state_(std::in_place_index<1>, reason) {}

  [[nodiscard]] bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }

  [[nodiscard]] const Value& value() const { return std::get<0>(state_); }
  [[nodiscard]] Reason reason() const { return std::get<1>(state_); }
  const Value& operator*() const { return value(); }
  const Value* operator->() const { return &value(); }

 private:
  std::variant<Value, Reason> state_;
};

}  // namespace velqora
