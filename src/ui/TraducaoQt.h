#pragma once
// Qt's own texts (print and file dialogs, the standard buttons of message
// boxes) in Brazilian Portuguese, whatever the user's locale.
#include <QString>

class QCoreApplication;

// Installs Qt's Brazilian Portuguese translation from Qt's translations folder
// (Debian: qt6-translations-l10n) into the application, which owns it. False
// when it is not installed: Qt's texts then stay in English. Numbers keep
// the user's locale.
bool InstalaTraducaoQt(QCoreApplication& app);

// Today's date in the short format of the program's language, for the
// program's own outputs (printed footers, the report): the user's own format
// when the user's locale is Portuguese, else the Brazilian one (never the C
// locale's "8 Dec 2026" beside Portuguese text).
QString DataDeHoje();
