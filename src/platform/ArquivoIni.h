#pragma once
// Private-profile settings file (Windows-1252 INI text).
// Section and key names match without regard to case (cp1252 letters); the
// first of duplicate sections and of duplicate keys wins; blanks around keys
// and values are dropped and a value wholly enclosed in matching quotes loses
// them. Lines beginning with ';', blank lines and lines that are neither a
// "[section]" nor a "key=value" are comments: never matched, kept as they are.
// Every line other than the one a write or delete touches is kept byte for
// byte; a new key goes after the last key line of its section, a new section at
// the end of the file. A line ends in LF, CRLF or a lone CR; each line keeps
// its own end, and new lines take the file's first line end (CRLF for a new
// file). Each write or delete takes effect in the file at once, atomically
// (temporary file beside it, then rename); a failed write raises EInOutError
// naming the file. Reads never raise: a missing or unreadable file gives the
// defaults.
#include <functional>
#include <optional>
#include <string>
#include <system_error>

#include "platform/AnsiString.h"

class TArquivoIni {
public:
    explicit TArquivoIni(std::string path);
    virtual ~TArquivoIni() = default;
    const std::string& Caminho() const { return path_; }

    // def only when the key is absent; an empty value reads as "".
    AnsiString ReadString(const AnsiString& section, const AnsiString& key, const AnsiString& def) const;
    // Whole 32-bit decimal integer, optionally signed, else def. No hexadecimal:
    // "0x10" is not a whole decimal and gives def.
    int ReadInteger(const AnsiString& section, const AnsiString& key, int def) const;
    // Every "." and "," is taken as the decimal separator; def when the key is
    // absent or empty, or when the text is not a finite number.
    double ReadFloat(const AnsiString& section, const AnsiString& key, double def) const;
    bool ValueExists(const AnsiString& section, const AnsiString& key) const;

    // Names and values must not hold line breaks, a key no "=" and a section
    // no "]" (EInOutError): they would change other lines of the file.
    void WriteString(const AnsiString& section, const AnsiString& key, const AnsiString& value);
    void WriteInteger(const AnsiString& section, const AnsiString& key, int value);
    // General format of up to 15 significant digits with decSep (FloatToStr).
    void WriteFloat(const AnsiString& section, const AnsiString& key, double value, char decSep);
    // Removes the first matching key line; nothing when there is none.
    void DeleteKey(const AnsiString& section, const AnsiString& key);

    // Runs alteracoes with every write and delete made in memory and stores
    // them with one atomic replace at the end: all of them or, when alteracoes
    // or the write raises, none. Reads inside see the pending changes. Nested
    // calls join the outer one.
    void EmLote(const std::function<void()>& alteracoes);

protected:
    // Puts the finished temporary file in place of the target.
    virtual std::error_code Substitui(const std::string& temporario, const std::string& alvo);

private:
    AnsiString Conteudo() const;           // file text for reading ("" when unreadable)
    AnsiString ConteudoParaAlterar() const;  // file text for a change; raises when unreadable
    void Altera(const AnsiString& section, const AnsiString& key, const AnsiString* value);
    void Grava(const AnsiString& conteudo);

    std::string path_;
    std::optional<AnsiString> lote_;
    bool loteAlterado_ = false;
};
