#include "HexQuendraApp.h"

#include "AppFactory.h"
#include "ConsoleDialogs.h"
#include "Dialogs.h"
#include "LaunchOptions.h"
#include "TFormMain.h"
#include "sheet/SettingsSheet.h"

#include <QByteArray>
#include <QEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QPixmap>
#include <QTimer>
#include <QTranslator>

#include <cstdio>
#include <exception>

namespace {

void printError(const QString& text) {
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
}

void installGermanQtTexts(QApplication& app) {
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(translator);
    }
}

int takeScreenshot(TFormMain& window, const LaunchOptions& options) {
    // Loaded into the shown window, as a file given to a normal run is.
    window.show();
    if (!options.file.isEmpty() && !window.loadFile(options.file)) {
        return 1;
    }
    QApplication::processEvents();
    if (!window.grab().save(options.screenshot)) {
        printError(QStringLiteral("Das Bild %1 konnte nicht geschrieben werden.").arg(options.screenshot));
        return 1;
    }
    return 0;
}

// A run that shows no window must not need a display: unless the caller chose a platform, it
// gets the offscreen one. Called before QApplication exists, which is when Qt picks it.
int& choosePlatform(int& argc, char** argv) {
    if (LaunchOptions::runsWithoutWindow(argc, argv) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    return argc;
}

} // namespace

HexQuendraApp::HexQuendraApp(int& argc, char** argv) : QApplication(choosePlatform(argc, argv), argv) {
    setApplicationName(QStringLiteral("HEX Quendrabolt"));
    setOrganizationName(QStringLiteral("HEX Quendrabolt"));
    setOrganizationDomain(QStringLiteral("hexquendrabolt.example.org"));
    setApplicationVersion(QStringLiteral("0.41"));
    installGermanQtTexts(*this);
}

bool HexQuendraApp::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        warningOk(nullptr, QString::fromUtf8(e.what()));
    } catch (...) {
        warningOk(nullptr, QStringLiteral("Unbekannter Fehler"));
    }
    return false;
}

namespace {

// Ends the event loop once the first paint event has been handled.
class FirstFrameWatcher : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool seen_ = false;
};

} // namespace

void HexQuendraApp::quitOnFirstPaint() {
    installEventFilter(new FirstFrameWatcher(this));
}

int HexQuendraApp::run() {
    QStringList arguments = HexQuendraApp::arguments();
    arguments.removeFirst();
    const LaunchOptions options = LaunchOptions::parse(arguments);
    if (!options.error.isEmpty()) {
        printError(options.error);
        printError(LaunchOptions::usage());
        return 2;
    }
    if (!options.pdf.isEmpty()) {
        QString error;
        const int code = writeSettingsSheetPdf(options.pdf, options.file, &error);
        if (code != 0)
            printError(error);
        return code;
    }

    ConsoleDialogs console;
    if (!options.screenshot.isEmpty()) {
        Dialogs::install(&console);
    }
    const std::unique_ptr<TFormMain> window = createMainWindow();
    if (!options.screenshot.isEmpty()) {
        const int code = takeScreenshot(*window, options);
        Dialogs::install(nullptr);
        return code;
    }

    if (options.quitAfterFirstFrame) {
        quitOnFirstPaint();
    }
    window->show();
    if (!options.file.isEmpty()) {
        window->loadFile(options.file);
    }
    return exec();
}
