// A layout of 500 decoders (series of three kinds): the scan runs beside the interface, which
// keeps handling events — a timer keeps firing — while the progress bar moves, and the tables
// fill; a scan can be cancelled, and a cancelled scan shows nothing incomplete.

#include "LayoutWindowTestSupport.h"
#include "QtTestSuite.h"
#include "layout/AddressTableModel.h"
#include "layout/DecoderTableModel.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <functional>

using namespace layouttest;

namespace {

constexpr int kDecoders = 500;
// The longest the event loop may go without turning: far below what reading 500 files takes on
// the interface thread, far above a timer's jitter on a busy machine.
constexpr qint64 kLongestStallMs = 400;

// Watches the event loop: a timer every 10 ms notes the longest time between two of its ticks,
// and how often it ticked while `midway` said the work was half done (never, if the work blocked
// the loop from start to end).
class LoopWatch {
public:
    explicit LoopWatch(std::function<bool()> midway = {}) : midway_(std::move(midway)) {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            const qint64 now = clock_.elapsed();
            longest_ = std::max(longest_, now - last_);
            last_ = now;
            ++ticks_;
            if (midway_ && midway_())
                ++ticksMidway_;
        });
        clock_.start();
        last_ = clock_.elapsed();
        timer_.start();
    }
    qint64 longest() const { return longest_; }
    int ticks() const { return ticks_; }
    int ticksMidway() const { return ticksMidway_; }
    qint64 elapsed() const { return clock_.elapsed(); }

private:
    std::function<bool()> midway_;
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 last_ = 0;
    qint64 longest_ = 0;
    int ticks_ = 0;
    int ticksMidway_ = 0;
};

} // namespace

class TestLayoutScale : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        dir_ = std::make_unique<QTemporaryDir>();
        // 200 turnout decoders on DCC 1–800, 150 single ones on DCC 801–950, 150 on MM 1–300.
        struct Series {
            int kind;
            hq::Protocol protocol;
            int count;
            int firstShift;
            int stride;
        };
        int written = 0;
        for (const Series& series :
             {Series{32, hq::Protocol::DCC, 200, -4, 4}, Series{28, hq::Protocol::DCC, 150, 796, 1},
              Series{23, hq::Protocol::MM, 150, -4, 2}}) {
            auto firmware = hq::loadFirmware(hq::demoFirmwareText(series.kind, series.protocol));
            QVERIFY(firmware);
            for (int k = 0; k < series.count; ++k) {
                auto text = hq::shiftedCopyText(*firmware, series.firstShift + k * series.stride);
                QVERIFY(text);
                QVERIFY(writeFile(dir_->filePath(QStringLiteral("art%1/dekoder-%2.hex")
                                                     .arg(series.kind)
                                                     .arg(k, 3, 10, QLatin1Char('0'))),
                                  QByteArray::fromStdString(*text)));
                ++written;
            }
        }
        QCOMPARE(written, kDecoders);
    }
    void init() { Dialogs::install(&dialogs_); }
    void cleanup() { Dialogs::install(nullptr); }

    void aScanOf500DecodersKeepsTheWindowResponsive() {
        QPointer<QProgressBar> bar;
        LoopWatch loop(
            [&bar] { return bar && bar->isVisible() && bar->value() > 0 && bar->value() < bar->maximum(); });
        LayoutWindow window(dir_->path());
        bar = window.parts().progressBar;
        QSignalSpy progress(window.parts().progressBar, &QProgressBar::valueChanged);
        QSignalSpy shown(&window, &LayoutWindow::snapshotShown);
        window.show();
        QVERIFY(window.isScanning());
        QVERIFY(window.parts().progressBar->isVisible());
        QVERIFY(shown.wait(120000));
        const qint64 elapsed = loop.elapsed();
        qInfo("500 decoders shown after %lld ms; the event loop turned %d times (%d while the files were "
              "read), "
              "the longest stall %lld ms",
              static_cast<long long>(elapsed), loop.ticks(), loop.ticksMidway(),
              static_cast<long long>(loop.longest()));

        QCOMPARE(window.parts().decoderModel->rowCount(), kDecoders);
        QCOMPARE(window.parts().addressModel->rowCount(), 200 * 4 + 150 + 150 * 2);
        QCOMPARE(window.snapshot()->scan().clashes.size(), std::size_t{0});
        QVERIFY(
            window.parts().summaryLabel->text().startsWith(QStringLiteral("500 Dekoder · 1250 Adressen")));
        // The bar followed the files, and the loop kept turning while they were read.
        QVERIFY2(progress.count() > 3, qPrintable(QString::number(progress.count())));
        QCOMPARE(window.parts().progressBar->maximum(), kDecoders);
        QCOMPARE(progress.last().first().toInt(), kDecoders);
        QVERIFY2(loop.ticksMidway() >= 2, qPrintable(QString::number(loop.ticksMidway())));
        QVERIFY2(loop.longest() < kLongestStallMs, qPrintable(QString::number(loop.longest())));
        QTRY_VERIFY(!window.parts().progressBar->isVisible());

        // A rescan keeps the window as responsive, and the tables as they were.
        LoopWatch again;
        shown.clear();
        window.parts().rescanAction->trigger();
        QVERIFY(shown.wait(120000));
        qInfo("rescan: %lld ms, longest stall %lld ms", static_cast<long long>(again.elapsed()),
              static_cast<long long>(again.longest()));
        QVERIFY2(again.longest() < kLongestStallMs, qPrintable(QString::number(again.longest())));
        QCOMPARE(window.parts().decoderModel->rowCount(), kDecoders);
    }

    void aWindowClosedWhileItReadsEndsItsScan() {
        QElapsedTimer clock;
        clock.start();
        {
            LayoutWindow window(dir_->path());
            window.show();
            QVERIFY(window.isScanning());
        } // stops the scan after the file it reads, and waits for it
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
        QCoreApplication::processEvents(); // nothing queued for the window is delivered any more
    }

    void aScanCanBeCancelledAndShowsNothingIncomplete() {
        LayoutWindow window(dir_->path());
        QSignalSpy shown(&window, &LayoutWindow::snapshotShown);
        window.show();
        QVERIFY(window.parts().cancelButton->isVisible());
        QTest::mouseClick(window.parts().cancelButton, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!window.isScanning(), 60000);
        QCOMPARE(shown.count(), 0);
        QCOMPARE(window.parts().decoderModel->rowCount(), 0);
        QCOMPARE(window.parts().summaryLabel->text(),
                 QStringLiteral("Einlesen abgebrochen; „Neu einlesen“ (F5) liest die Anlage."));
        QVERIFY(!window.parts().cancelButton->isVisible());

        // F5 reads it all; a second scan cancelled leaves the tables as they were.
        window.parts().rescanAction->trigger();
        QVERIFY(shown.wait(120000));
        QCOMPARE(window.parts().decoderModel->rowCount(), kDecoders);
        window.rescan();
        window.cancelScan();
        QTRY_VERIFY_WITH_TIMEOUT(!window.isScanning(), 60000);
        QCOMPARE(window.parts().decoderModel->rowCount(), kDecoders);
        QCOMPARE(window.statusBar()->currentMessage(),
                 QStringLiteral("Einlesen abgebrochen; die Tabellen zeigen den Stand davor."));
    }

private:
    LayoutDialogs dialogs_;
    std::unique_ptr<QTemporaryDir> dir_;
};

HQ_TEST_CLASS(TestLayoutScale)
#include "tst_LayoutScale.moc"
