#pragma once
// Qt's own texts (print and file dialogs, the standard buttons of message
// boxes) in Brazilian Portuguese, whatever the user's locale.
class QCoreApplication;

// Installs Qt's Brazilian Portuguese translation from Qt's translations folder
// (Debian: qt6-translations-l10n) into the application, which owns it. False
// when it is not installed: Qt's texts then stay in English. Numbers and dates
// keep the user's locale.
bool InstalaTraducaoQt(QCoreApplication& app);
