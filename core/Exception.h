#pragma once

#include <exception>
#include <string>

namespace lirbo::core {

// Base of every error the program raises. It carries the message shown to the user (what() gives
// its bytes too) and can name its own class and the code address that raised it (the start-up
// failure box prints both).
class Exception : public std::exception {
public:
    explicit Exception(std::string message);

    const std::string& message() const { return m_message; }
    const char* what() const noexcept override { return m_message.c_str(); }
    virtual const char* className() const { return "Exception"; }
    // The return address inside the code that constructed (and so raised) the error.
    const void* raiseAddress() const { return m_raiseAddress; }

private:
    std::string m_message;
    const void* m_raiseAddress;
};

// Declares an error class with its own class name; the constructors of the base are inherited.
// The arguments are names of classes, which parentheses would break.
// NOLINTBEGIN(bugprone-macro-parentheses)
#define LIRBO_DECLARE_EXCEPTION(Name, Base)                                                                            \
    class Name : public Base {                                                                                         \
    public:                                                                                                            \
        using Base::Base;                                                                                              \
        const char* className() const override { return #Name; }                                                       \
    }
// NOLINTEND(bugprone-macro-parentheses)

// Stream and file errors.
LIRBO_DECLARE_EXCEPTION(EStreamError, Exception);
LIRBO_DECLARE_EXCEPTION(EFileStreamError, EStreamError);
LIRBO_DECLARE_EXCEPTION(EFOpenError, EFileStreamError);
LIRBO_DECLARE_EXCEPTION(EFCreateError, EFileStreamError);
LIRBO_DECLARE_EXCEPTION(EWriteError, EStreamError);
LIRBO_DECLARE_EXCEPTION(EOutOfResources, Exception);
LIRBO_DECLARE_EXCEPTION(EStringListError, Exception);
LIRBO_DECLARE_EXCEPTION(EIniFileException, Exception);

// "Cannot open file "%s". %s" and its siblings: the full path and the system's reason. Paths are
// given as the file system spells them; the messages hold them, like every text, in Windows-1251.
EFOpenError fileOpenError(const std::string& fullPath, int systemError);
EFCreateError fileCreateError(const std::string& fullPath, int systemError);
EWriteError streamWriteError();
EOutOfResources lineInsertError();
EOutOfResources saveStreamError();
EStringListError listIndexError(long long index);
EIniFileException iniWriteError(const std::string& settingsPath);

// The text the user is shown for an error: the program's own errors say their message as it is.
// An error from outside the program's classes (out of memory, a library's own failure; nullptr for
// one that is not even a std::exception) gets a Russian text: its own is English and meant for
// programmers, never for the user.
std::string errorText(const std::exception* error);

// The text of the error box: a full stop is added when the message is not empty and its last
// byte sorts after "." (so after a letter, a digit or "?", but not after ".", "!", ")" or a space).
std::string errorBoxText(const std::string& message);

} // namespace lirbo::core
