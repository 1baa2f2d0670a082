#pragma once
// Runs the scan of a layout folder on a thread of its own, so the window stays responsive while
// hundreds of files are read: progress comes back to the interface thread as signals, a scan can
// be stopped (it ends after the file it is reading), and a new start stops the running scan and
// drops its result. The snapshot with the tables' lookups is made on the scanning thread too.

#include "layout/LayoutSnapshot.h"

#include <QObject>
#include <QString>

#include <stop_token>

class QThread;

class LayoutScanRunner : public QObject {
    Q_OBJECT
public:
    explicit LayoutScanRunner(QObject* parent = nullptr);
    // Stops a running scan and waits for its thread (at most the time of one file).
    ~LayoutScanRunner() override;

    // Scans `folder` with its anlage.json. A scan still running is stopped and its result dropped.
    void start(const QString& folder);
    // Stops the running scan; `cancelled` follows once it has ended.
    void cancel();
    bool isRunning() const { return thread_ != nullptr; }

signals:
    // On the interface thread: files done of total, from 0 of total on.
    void progress(int done, int total);
    void finished(SnapshotPtr snapshot);
    // The folder could not be read at all (the German reason).
    void failed(const QString& message);
    // The scan was stopped by `cancel` before it had a result.
    void cancelled();
    // A scan started (true) or the last one ended (false); a restart in between is no change.
    void runningChanged(bool running);

private:
    void launch(const QString& folder);
    void threadEnded();

    QThread* thread_ = nullptr;
    std::stop_source stop_;
    quint64 generation_ = 0; // of the scan whose results count
    QString pending_;        // a folder to scan once the stopped thread has ended
    bool restart_ = false;
    bool cancelRequested_ = false;
    bool delivered_ = false; // the current scan's result or failure was emitted
};
