// A value or a one-sentence error for the user. Readers return this instead of throwing.
#pragma once

#include <new>
#include <stdexcept>
#include <string>
#include <utility>
#include <variant>

namespace tarnwick {

// What went wrong, for code that reacts to it; the sentence is for the user.
enum class ErrorKind {
    NotFound,         // no such file, stream, sheet or part
    NotAFile,         // a folder, pipe or device where a file was expected
    NoPermission,     // the system refused access
    CannotOpen,       // could not be opened or read for another reason (locked, vanished)
    Empty,            // a file of 0 bytes
    TooLarge,         // over a size cap, or more than memory allows
    NotCompoundFile,  // not an Office 97-2003 container at all
    NewerFormat,      // a zip-based Office 2007+ file
    OlderFormat,      // an Office file from before 97 (Excel 5/95, Word 6/95, ...)
    WrongFormat,      // another kind of file (RTF, HTML, another Office application's document)
    Encrypted,        // protected with a password
    Damaged,          // structures that contradict themselves or run past their bounds
    CannotDecode,     // text in an encoding this machine cannot convert
};

struct Error {
    ErrorKind kind = ErrorKind::Damaged;
    std::string message;  // one clear Chinese sentence, shown to the user as it stands
};

template <class T>
class Result {
public:
    Result(T value) : v_(std::in_place_index<0>, std::move(value)) {}
    Result(Error error) : v_(std::in_place_index<1>, std::move(error)) {}

    bool ok() const { return v_.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() & { return std::get<0>(v_); }
    const T& value() const& { return std::get<0>(v_); }
    T&& value() && { return std::get<0>(std::move(v_)); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }

    const Error& error() const { return std::get<1>(v_); }

private:
    std::variant<T, Error> v_;
};

// Runs a read so that nothing escapes it: a file that asks for more memory than there is (or for
// a container longer than its maximum size) gets the reader's own "too large" error like any
// other damage. `read` returns a Result.
template <class F>
auto guardedRead(F&& read, Error (*tooLarge)()) -> decltype(read()) {
    try {
        return read();
    } catch (const std::bad_alloc&) {
        return tooLarge();
    } catch (const std::length_error&) {
        return tooLarge();
    }
}

}  // namespace tarnwick
