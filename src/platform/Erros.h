#pragma once
// The system's error classes. Messages are Windows-1252 text (Message());
// what() gives the same message as UTF-8 for standard streams and test output.
#include <exception>
#include <string>

#include "platform/AnsiString.h"

class Exception : public std::exception {
public:
    explicit Exception(AnsiString message, int helpContext = 0);
    // A message that quotes text cp1252 cannot hold (a user's UTF-8 input):
    // what() gives `utf8` as it is, Message() the cp1252 text.
    Exception(AnsiString message, std::string utf8, int helpContext = 0);
    const AnsiString& Message() const { return message_; }
    int HelpContext() const { return helpContext_; }
    // Class name as shown by the last-chance error box ("Exception", "EArquivoNaoExiste", ...).
    virtual const char* ClassName() const { return "Exception"; }
    const char* what() const noexcept override { return utf8_.c_str(); }

private:
    AnsiString message_;
    std::string utf8_;
    int helpContext_;
};

#define TORMEL_DECLARE_ERROR(Name, Base)                                   \
    class Name : public Base {                                             \
    public:                                                                \
        using Base::Base;                                                  \
        const char* ClassName() const override { return #Name; }           \
    };

TORMEL_DECLARE_ERROR(EArquivoNaoExiste, Exception)   // a data file is missing
TORMEL_DECLARE_ERROR(ENumeroEstado, Exception)       // state index outside 0..26
TORMEL_DECLARE_ERROR(EConvertError, Exception)       // text is not a number
TORMEL_DECLARE_ERROR(EInOutError, Exception)         // file cannot be read or written
TORMEL_DECLARE_ERROR(EDadosInvalidos, Exception)     // a data file is malformed (truncated, ...)
TORMEL_DECLARE_ERROR(ECodificacao, Exception)        // text not representable in cp1252
TORMEL_DECLARE_ERROR(EMathError, Exception)
TORMEL_DECLARE_ERROR(EInvalidOp, EMathError)         // "Invalid floating point operation"
TORMEL_DECLARE_ERROR(EZeroDivide, EMathError)        // "Floating point division by zero"
TORMEL_DECLARE_ERROR(EOverflow, EMathError)          // "Floating point overflow"

// "'%s' is not a valid floating point value" with the whole text quoted.
[[noreturn]] void RaiseConvertError(const AnsiString& text);
