// The host's way of returning either a value or an error text across its API: nothing in the
// host core throws to its callers, every failure is a message a user can act on.
#pragma once

#include <string>
#include <utility>
#include <variant>

namespace kvhost {

// An error message, kept apart from values of type std::string so a Result<std::string> is not
// ambiguous.
struct Error {
    std::string message;
};

// Either a value of type T or an Error; test with ok() before taking value().
template <typename T>
class Result {
  public:
    // A successful result holding `value`.
    Result(T value) : m_state(std::in_place_index<0>, std::move(value)) {}
    // A failed result holding `error`.
    Result(Error error) : m_state(std::in_place_index<1>, std::move(error)) {}

    // True when the result holds a value.
    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    // The value; only valid when ok().
    const T& value() const& { return std::get<0>(m_state); }
    T& value() & { return std::get<0>(m_state); }
    T&& value() && { return std::get<0>(std::move(m_state)); }

    // The error message; only valid when !ok().
    const std::string& error() const { return std::get<1>(m_state).message; }

  private:
    std::variant<T, Error> m_state;
};

// A result without a value: success, or an error message.
struct Done {};
using Status = Result<Done>;

// A success Status.
inline Status success() {
    return Status(Done{});
}

}  // namespace kvhost
