#include "FileWriting.h"

#include "Dialogs.h"
#include "QtText.h"
#include "io/WriteFile.h"

#include <QStringList>

bool writeFileAsking(QWidget* parent, const QString& path, std::string_view content,
                     const QString& failureIntro) {
    const std::string target = localPath(path);
    hq::io::WriteOptions options;
    if (hq::io::targetProtection(target) == hq::io::TargetProtection::ReadOnly) {
        if (!askYesNo(parent, QStringLiteral("Die Datei ist schreibgeschützt. Trotzdem ersetzen?")))
            return false;
        options.replaceReadOnly = true;
    }
    QStringList warnings;
    options.warning = [&warnings](const std::string& warning) { warnings << qs(warning); };
    const hq::Status written = hq::io::writeFileReplacing(target, content, options);
    if (!written) {
        const QString reason = qs(written.message());
        warningOk(parent, failureIntro.isEmpty() ? reason : failureIntro + QStringLiteral("\n\n") + reason);
        return false;
    }
    if (!warnings.isEmpty())
        warningOk(parent, warnings.join(QStringLiteral("\n\n")));
    return true;
}
