// A watch follows the file it was set on, not its name: after a rename into place it names the old
// file, so watch() after each scan sets the file watches afresh. Hidden folders (".git") are not
// watched, as the scan skips them.

#include "layout/LayoutFolderWatcher.h"

#include "QtText.h"
#include "layout/Layout.h"
#include "layout/LayoutFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QSet>
#include <QTimer>

namespace layout_folder_watcher {
namespace {

void addFolders(const QString& folder, int levelsLeft, QStringList& found) {
    found.append(folder);
    if (levelsLeft <= 0)
        return;
    const QDir dir(folder);
    const QFileInfoList entries = dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    for (const QFileInfo& entry : entries) {
        if (!entry.fileName().startsWith(QLatin1Char('.')))
            addFolders(entry.absoluteFilePath(), levelsLeft - 1, found);
    }
}

} // namespace
} // namespace layout_folder_watcher

LayoutFolderWatcher::LayoutFolderWatcher(QObject* parent)
    : QObject(parent), watcher_(new QFileSystemWatcher(this)), settle_(new QTimer(this)) {
    settle_->setSingleShot(true);
    settle_->setInterval(kSettleMs);
    connect(settle_, &QTimer::timeout, this, &LayoutFolderWatcher::changed);
    auto restart = [this] { settle_->start(); };
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, restart);
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, restart);
}

void LayoutFolderWatcher::watch(const QString& folder, const hq::LayoutScan& scan) {
    QStringList folders;
    layout_folder_watcher::addFolders(QFileInfo(folder).absoluteFilePath(), hq::kLayoutFolderDepth, folders);
    const QDir root(folder);
    QStringList files;
    for (const hq::LayoutDecoder& decoder : scan.decoders)
        files.append(root.absoluteFilePath(qs(decoder.file)));
    for (const hq::LayoutProblem& problem : scan.problems)
        files.append(root.absoluteFilePath(qs(problem.file)));
    const QString notes = root.absoluteFilePath(qs(hq::kLayoutNotesFile));
    if (QFileInfo::exists(notes))
        files.append(notes);
    files.removeDuplicates();

    // Files are watched afresh: a watch may still name the file a rename has replaced.
    QStringList drop = watcher_->files();
    const QSet<QString> keepFolders(folders.begin(), folders.end());
    for (const QString& path : watcher_->directories()) {
        if (!keepFolders.contains(path))
            drop.append(path);
    }
    if (!drop.isEmpty())
        watcher_->removePaths(drop);
    const QStringList watched = watcher_->directories();
    const QSet<QString> already(watched.begin(), watched.end());
    QStringList add;
    for (const QString& path : folders + files) {
        if (!already.contains(path))
            add.append(path);
    }
    if (!add.isEmpty())
        watcher_->addPaths(add); // a path that vanished meanwhile is simply not watched
}

QStringList LayoutFolderWatcher::watchedFolders() const {
    return watcher_->directories();
}
