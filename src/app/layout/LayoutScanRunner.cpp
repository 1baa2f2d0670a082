// One thread at a time: a start during a scan stops it and starts again once it has ended, so a
// burst of changes in the folder never piles up threads. Results travel as queued calls to this
// object; a call for a scan that was superseded is dropped by its generation number. A stopped
// scan delivers nothing (what it read is incomplete): its end is reported as `cancelled`.

#include "layout/LayoutScanRunner.h"

#include "LayoutJson.h"
#include "QtText.h"

#include <QMetaObject>
#include <QThread>

#include <chrono>

namespace layout_scan_runner {
namespace {

constexpr std::chrono::milliseconds kProgressInterval{40};

} // namespace
} // namespace layout_scan_runner

LayoutScanRunner::LayoutScanRunner(QObject* parent) : QObject(parent) {
    qRegisterMetaType<SnapshotPtr>("SnapshotPtr");
}

LayoutScanRunner::~LayoutScanRunner() {
    if (thread_ != nullptr) {
        stop_.request_stop();
        thread_->wait();
        delete thread_;
    }
}

void LayoutScanRunner::start(const QString& folder) {
    if (thread_ == nullptr) {
        launch(folder);
        emit runningChanged(true);
        return;
    }
    ++generation_; // the running scan's results no longer count
    delivered_ = false;
    stop_.request_stop();
    pending_ = folder;
    restart_ = true;
}

void LayoutScanRunner::cancel() {
    if (thread_ == nullptr)
        return;
    stop_.request_stop();
    restart_ = false;
    cancelRequested_ = true;
}

void LayoutScanRunner::launch(const QString& folder) {
    stop_ = std::stop_source();
    cancelRequested_ = false;
    delivered_ = false;
    const quint64 generation = ++generation_;
    const std::stop_token token = stop_.get_token();
    const std::string path = localPath(folder);
    thread_ = QThread::create([this, generation, token, path] {
        hq::ScanOptions options;
        options.stop = token;
        // A few reports a second move the bar as smoothly as one per file, without keeping the
        // interface thread busy painting it hundreds of times.
        options.progress = [this, generation,
                            last = std::chrono::steady_clock::time_point{}](int done, int total) mutable {
            const auto now = std::chrono::steady_clock::now();
            if (done != 0 && done != total && now - last < layout_scan_runner::kProgressInterval)
                return;
            last = now;
            QMetaObject::invokeMethod(
                this,
                [this, generation, done, total] {
                    if (generation == generation_)
                        emit progress(done, total);
                },
                Qt::QueuedConnection);
        };
        hq::Result<hq::LayoutScan> scan = hq::scanLayoutFolder(path, options);
        if (!scan) {
            const QString message = qs(scan.message());
            QMetaObject::invokeMethod(
                this,
                [this, generation, message] {
                    if (generation != generation_)
                        return;
                    delivered_ = true;
                    emit failed(message);
                },
                Qt::QueuedConnection);
            return;
        }
        if (scan->cancelled)
            return; // what it holds is incomplete; threadEnded says it was cancelled
        SnapshotPtr snapshot = std::make_shared<const LayoutSnapshot>(std::move(*scan));
        QMetaObject::invokeMethod(
            this,
            [this, generation, snapshot] {
                if (generation != generation_)
                    return;
                delivered_ = true;
                emit finished(snapshot);
            },
            Qt::QueuedConnection);
    });
    connect(thread_, &QThread::finished, this, &LayoutScanRunner::threadEnded);
    thread_->start();
}

void LayoutScanRunner::threadEnded() {
    // Queued after the thread's own result calls, so those have been delivered.
    QThread* ended = thread_;
    thread_ = nullptr;
    ended->deleteLater();
    if (restart_) {
        restart_ = false;
        launch(pending_);
        return;
    }
    const bool cancelledNow = cancelRequested_ && !delivered_;
    emit runningChanged(false);
    if (cancelledNow)
        emit cancelled();
}
