#pragma once
// Every file the window writes — the HEX file, curve and set files, exported settings, the PDF sheet —
// goes through here. The core writes beside the target and renames into place; before that a
// read-only target is replaced only when the user agrees ("Die Datei ist schreibgeschützt. Trotzdem
// ersetzen?"), the write's warnings (other hard links keep the old content, attributes that could
// not be copied) are shown, and a failure is shown with its German reason after `failureIntro`.

#include "io/WriteFile.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string_view>

class QWidget;

// The options for writing `path`: asks first where the target is read-only; nothing when the user
// declines. Warnings of the write are collected for `showWriteWarnings`.
std::optional<hq::io::WriteOptions> writeOptionsAsking(QWidget* parent, const QString& path,
                                                       QStringList* warnings = nullptr);
// Shows the warnings a write collected (other hard links, attributes not copied), if any.
void showWriteWarnings(QWidget* parent, const QStringList& warnings);

// True when the file was written; false when the user declined or the write failed (shown).
bool writeFileAsking(QWidget* parent, const QString& path, std::string_view content,
                     const QString& failureIntro = QString());
