#pragma once

// A caller's variable passed by reference, or nothing. Lets a routine tell an
// omitted argument from a supplied one, and write its results into the
// caller's variable when there is one.
template <typename T>
class OptionalRef {
 public:
  OptionalRef() = default;
  OptionalRef(T& variable) : variable_(&variable) {}
  // A temporary would take the results with it.
  OptionalRef(T&&) = delete;

  bool Supplied() const { return variable_ != nullptr; }
  // The caller's variable, or scratch when none was supplied.
  T& Or(T& scratch) const { return variable_ ? *variable_ : scratch; }

 private:
  T* variable_ = nullptr;
};
