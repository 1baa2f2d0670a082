#pragma once
// Small helpers shared by the window tests: demo firmware files, reading a file back and mouse events
// with a held button.

#include "demo/DemoFirmware.h"

#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QString>
#include <QTemporaryDir>
#include <QWidget>

namespace windowtest {

// Writes the demo firmware of `kind` into `dir` and returns its path.
inline QString writeDemo(const QTemporaryDir& dir, int kind, hq::Protocol protocol) {
    const QString path = dir.filePath(QStringLiteral("demo-%1.hex").arg(kind));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(QByteArray::fromStdString(hq::demoFirmwareText(kind, protocol)));
    return path;
}

// The whole content of a file, or nothing when it cannot be read.
inline QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A mouse event sent straight to `canvas`; `held` are the buttons down during it (QTest::mouseMove
// does not carry a held button).
inline void sendMouse(QWidget* canvas, QEvent::Type type, QPointF at, Qt::MouseButton button,
                      Qt::MouseButtons held) {
    QMouseEvent event(type, at, canvas->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(canvas, &event);
}

} // namespace windowtest
