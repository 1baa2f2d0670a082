#pragma once
// Shared by the layout window tests: layouts written to a scratch folder from the demo firmwares
// (moved to other addresses by the series' own copy step, or made as a series by the core), the
// test dialogs with a folder chooser, a layout window that has shown its first scan, and rows of
// its tables found by file.

#include "FakeDialogs.h"
#include "demo/DemoFirmware.h"
#include "image/Firmware.h"
#include "layout/LayoutRoles.h"
#include "layout/LayoutWindow.h"
#include "layout/SeriesCopy.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <initializer_list>
#include <memory>

namespace layouttest {

// The dialogs of the window tests; the folder chooser answers from `folderNames`.
using LayoutDialogs = FakeDialogs;

// The text of the demo firmware of `kind`, every used address moved by `shift` (the demos start
// at 5, function decoders at 3).
inline QByteArray shiftedDemo(int kind, hq::Protocol protocol, int shift) {
    auto firmware = hq::loadFirmware(hq::demoFirmwareText(kind, protocol));
    if (!firmware)
        return {};
    auto text = hq::shiftedCopyText(*firmware, shift);
    return text ? QByteArray::fromStdString(*text) : QByteArray();
}

inline bool writeFile(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// The layout most tests use (DCC unless named):
//   weiche-01.hex … weiche-03.hex  Zumbar88 (32), 1–4, 5–8, 9–12 (rows 1, 2, 4 green, 3 red)
//   signal.hex                      Dorvat - Spur 1 (28), 6 green: clashes with weiche-02.hex row 2
//   mm-weiche.hex                   Dorvat (23) on MM, 5–6
//   bahnhof/nord.hex                Zumbar88 (32), 20–23
//   kaputt.hex                      no firmware: passed over
struct SampleLayout {
    QTemporaryDir dir;
    QString path(const QString& file) const { return dir.filePath(file); }

    SampleLayout() {
        for (int copy = 0; copy < 3; ++copy)
            writeFile(path(QStringLiteral("weiche-0%1.hex").arg(copy + 1)),
                      shiftedDemo(32, hq::Protocol::DCC, -4 + 4 * copy));
        writeFile(path(QStringLiteral("signal.hex")), shiftedDemo(28, hq::Protocol::DCC, 1));
        writeFile(path(QStringLiteral("mm-weiche.hex")), shiftedDemo(23, hq::Protocol::MM, 0));
        writeFile(path(QStringLiteral("bahnhof/nord.hex")), shiftedDemo(32, hq::Protocol::DCC, 15));
        writeFile(path(QStringLiteral("kaputt.hex")), "Das ist keine HEX-Datei.\n");
    }
};

// Waits until the window has shown a scan and is no longer scanning.
inline bool waitForScan(LayoutWindow& window, QSignalSpy& shown, int timeoutMs = 20000) {
    if (shown.isEmpty() && !shown.wait(timeoutMs))
        return false;
    return QTest::qWaitFor([&window] { return !window.isScanning(); }, timeoutMs);
}

// A layout window over `folder` that has shown its first scan, or null.
inline std::unique_ptr<LayoutWindow> openWindow(const QString& folder) {
    auto window = std::make_unique<LayoutWindow>(folder);
    QSignalSpy shown(window.get(), &LayoutWindow::snapshotShown);
    window->show();
    if (!waitForScan(*window, shown))
        return nullptr;
    return window;
}

// The first row of `model` whose `role` is `value`, or -1.
inline int rowWith(const QAbstractItemModel* model, const QString& value, int role = layout_roles::File) {
    for (int row = 0; row < model->rowCount(); ++row) {
        if (model->index(row, 0).data(role).toString() == value)
            return row;
    }
    return -1;
}

// UTF-8 texts as a list, for comparisons.
inline QStringList texts(std::initializer_list<const char*> list) {
    QStringList result;
    for (const char* text : list)
        result.append(QString::fromUtf8(text));
    return result;
}

// Every row's text in `column`.
inline QStringList columnTexts(const QAbstractItemModel* model, int column) {
    QStringList texts;
    for (int row = 0; row < model->rowCount(); ++row)
        texts.append(model->index(row, column).data().toString());
    return texts;
}

// Closes every main window a test opened (they delete themselves).
inline void closeOtherWindows(const QWidget* keep) {
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (window != keep && window->isWindow() && window->isVisible() &&
            window->testAttribute(Qt::WA_DeleteOnClose))
            window->close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace layouttest
