#pragma once
// Runs a test inside a fresh temporary folder made the current folder, where
// the report writes "Bit.bmp"; the previous current folder comes back after.
#include <QDir>
#include <QString>
#include <QTemporaryDir>

class TPastaTemporaria {
public:
    TPastaTemporaria() : anterior_(QDir::currentPath()) { QDir::setCurrent(pasta_.path()); }
    ~TPastaTemporaria() { QDir::setCurrent(anterior_); }
    QString Caminho(const QString& nome) const { return pasta_.filePath(nome); }

private:
    QTemporaryDir pasta_;
    QString anterior_;
};
