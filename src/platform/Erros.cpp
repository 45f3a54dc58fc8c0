#include "platform/Erros.h"

#include "platform/Cp1252.h"

Exception::Exception(AnsiString message, int helpContext)
    : message_(std::move(message)), utf8_(Cp1252ToUtf8(message_)), helpContext_(helpContext) {}

Exception::Exception(AnsiString message, std::string utf8, int helpContext)
    : message_(std::move(message)), utf8_(std::move(utf8)), helpContext_(helpContext) {}

void RaiseConvertError(const AnsiString& text) {
    throw EConvertError("'" + text + "' is not a valid floating point value");
}
