#pragma once
// Conversions between the core's UTF-8 strings and paths and Qt's strings, shared by the window.

#include <QFile>
#include <QString>

#include <string>
#include <string_view>

// The core's UTF-8 text as a QString.
inline QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A path from a file dialog as the local file system spells it, byte for byte.
inline std::string localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// The filter of every dialog that opens or saves a firmware.
inline QString hexFileFilter() {
    return QStringLiteral("HEX (*.hex);;TXT (*.txt);;*.* (*)");
}
