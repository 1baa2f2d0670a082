#include "RecentFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString kFilesKey = QStringLiteral("recentFiles");
const QString kFolderKey = QStringLiteral("lastFolder");

// Two spellings of one file count once.
QString normalised(const QString& path) {
    const QFileInfo info(path);
    return info.exists() ? info.absoluteFilePath() : QDir::cleanPath(info.absoluteFilePath());
}

} // namespace

RecentFiles::RecentFiles(QObject* parent) : QObject(parent) {
    QSettings settings;
    files_ = settings.value(kFilesKey).toStringList();
    while (files_.size() > kMaximum)
        files_.removeLast();
    lastFolder_ = settings.value(kFolderKey).toString();
}

void RecentFiles::add(const QString& path) {
    const QString file = normalised(path);
    files_.removeAll(file);
    files_.prepend(file);
    while (files_.size() > kMaximum)
        files_.removeLast();
    lastFolder_ = QFileInfo(file).absolutePath();
    save();
    emit changed();
}

void RecentFiles::remove(const QString& path) {
    if (files_.removeAll(normalised(path)) > 0) {
        save();
        emit changed();
    }
}

QString RecentFiles::lastFolder() const {
    return !lastFolder_.isEmpty() && QFileInfo(lastFolder_).isDir() ? lastFolder_ : QDir::homePath();
}

void RecentFiles::save() const {
    QSettings settings;
    settings.setValue(kFilesKey, files_);
    settings.setValue(kFolderKey, lastFolder_);
}
