#pragma once
// Private-profile settings file (Windows-1252 INI text).
// Section and key names match without regard to case; the first of duplicate
// keys wins; blanks around values are dropped and a value wholly enclosed in
// matching quotes loses them. Every other line is kept byte for byte. Each
// write or delete takes effect in the file at once, atomically (temporary file
// beside it, then rename); a failed write raises EInOutError naming the file.
#include <string>

#include "platform/AnsiString.h"

class TArquivoIni {
public:
    explicit TArquivoIni(std::string path);
    const std::string& Caminho() const { return path_; }

    AnsiString ReadString(const AnsiString& section, const AnsiString& key, const AnsiString& def) const;
    // Whole 32-bit decimal integer, else def.
    int ReadInteger(const AnsiString& section, const AnsiString& key, int def) const;
    bool ValueExists(const AnsiString& section, const AnsiString& key) const;

    void WriteString(const AnsiString& section, const AnsiString& key, const AnsiString& value);
    void WriteInteger(const AnsiString& section, const AnsiString& key, int value);
    void DeleteKey(const AnsiString& section, const AnsiString& key);

private:
    std::string path_;
};
