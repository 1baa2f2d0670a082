#include "FileWriting.h"

#include "Dialogs.h"
#include "QtText.h"

std::optional<hq::io::WriteOptions> writeOptionsAsking(QWidget* parent, const QString& path,
                                                       QStringList* warnings) {
    hq::io::WriteOptions options;
    if (hq::io::targetProtection(localPath(path)) == hq::io::TargetProtection::ReadOnly) {
        if (!askYesNo(parent, QStringLiteral("Die Datei ist schreibgeschützt. Trotzdem ersetzen?")))
            return std::nullopt;
        options.replaceReadOnly = true;
    }
    if (warnings != nullptr)
        options.warning = [warnings](const std::string& warning) { *warnings << qs(warning); };
    return options;
}

void showWriteWarnings(QWidget* parent, const QStringList& warnings) {
    if (!warnings.isEmpty())
        warningOk(parent, warnings.join(QStringLiteral("\n\n")));
}

bool writeFileAsking(QWidget* parent, const QString& path, std::string_view content,
                     const QString& failureIntro) {
    QStringList warnings;
    const std::optional<hq::io::WriteOptions> options = writeOptionsAsking(parent, path, &warnings);
    if (!options)
        return false;
    const hq::Status written = hq::io::writeFileReplacing(localPath(path), content, *options);
    if (!written) {
        const QString reason = qs(written.message());
        warningOk(parent, failureIntro.isEmpty() ? reason : failureIntro + QStringLiteral("\n\n") + reason);
        return false;
    }
    showWriteWarnings(parent, warnings);
    return true;
}
