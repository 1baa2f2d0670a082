#pragma once
// Every file the window writes — the HEX file, curve and set files, exported settings, the PDF sheet —
// goes through here. The core writes beside the target and renames into place; before that a
// read-only target is replaced only when the user agrees ("Die Datei ist schreibgeschützt. Trotzdem
// ersetzen?"), the write's warnings (other hard links keep the old content, attributes that could
// not be copied) are shown, and a failure is shown with its German reason after `failureIntro`.

#include <QString>

#include <string_view>

class QWidget;

// True when the file was written; false when the user declined or the write failed (shown).
bool writeFileAsking(QWidget* parent, const QString& path, std::string_view content,
                     const QString& failureIntro = QString());
