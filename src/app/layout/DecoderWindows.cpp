// Windows are found among the application's top-level widgets, so the first window of the program
// counts too.

#include "layout/DecoderWindows.h"

#include "document/FirmwareDocument.h"
#include "main/AppFactory.h"
#include "main/TFormMain.h"

#include <QApplication>
#include <QFileInfo>

namespace decoder_windows {
namespace {

QString canonical(const QString& path) {
    const QFileInfo info(path);
    const QString resolved = info.canonicalFilePath();
    return resolved.isEmpty() ? info.absoluteFilePath() : resolved;
}

} // namespace
} // namespace decoder_windows

TFormMain* decoderWindowOf(const QString& path) {
    const QString wanted = decoder_windows::canonical(path);
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* widget : windows) {
        auto* window = qobject_cast<TFormMain*>(widget);
        if (window != nullptr && window->document()->isLoaded() &&
            decoder_windows::canonical(window->document()->path()) == wanted)
            return window;
    }
    return nullptr;
}

TFormMain* openDecoderWindow(const QString& path) {
    if (TFormMain* open = decoderWindowOf(path)) {
        open->show();
        open->raise();
        open->activateWindow();
        return open;
    }
    std::unique_ptr<TFormMain> window = createMainWindow();
    if (!window->loadFile(path))
        return nullptr; // the window said why; it was never shown
    // The window lives on its own from here; closing it deletes it.
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    window->raise();
    window->activateWindow();
    return window.release();
}
