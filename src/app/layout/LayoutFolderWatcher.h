#pragma once
// Watches a layout folder, its sub-folders as deep as the scan reads them, its decoder files and
// anlage.json, and says once when a burst of changes has settled: a save renames a new file into
// place (the folder changes), a program writing in place changes the file, a series adds many
// files at once. What is saved in any window or by the command line so shows in the layout.

#include <QObject>
#include <QStringList>

#include <vector>

class QFileSystemWatcher;
class QTimer;

namespace hq {
struct LayoutScan;
}

class LayoutFolderWatcher : public QObject {
    Q_OBJECT
public:
    // Quiet time after the last change before `changed` is emitted.
    static constexpr int kSettleMs = 300;

    explicit LayoutFolderWatcher(QObject* parent = nullptr);

    // Watches `folder` and its sub-folders, and the files `scan` read or passed over. Called after
    // every scan: new sub-folders and files are taken in, vanished ones let go.
    void watch(const QString& folder, const hq::LayoutScan& scan);

    QStringList watchedFolders() const;

signals:
    void changed();

private:
    QFileSystemWatcher* watcher_;
    QTimer* settle_;
};
