#include "HexQuendraApp.h"

#include "AppFactory.h"
#include "ConsoleDialogs.h"
#include "Dialogs.h"
#include "LaunchOptions.h"
#include "TFormMain.h"
#include "WindowFirstDialogs.h"
#include "sheet/SettingsSheet.h"

#include <QByteArray>
#include <QEvent>
#include <QLibraryInfo>
#include <QList>
#include <QLocale>
#include <QPixmap>
#include <QTimer>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
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

QString environmentText(const char* name) {
    const QByteArray value = qgetenv(name);
    return value.isEmpty() ? QStringLiteral("%1 nicht gesetzt").arg(QLatin1String(name))
                           : QStringLiteral("%1=%2").arg(QLatin1String(name), QString::fromLocal8Bit(value));
}

// Qt ends a start without a usable display with an English fatal message and abort(), which
// dumps core. While the application is built, Qt's messages are held back; a fatal one is answered
// with the German reason and exit code 1, the others are passed on once the start has worked.
QtMessageHandler qtMessageHandler = nullptr;
struct HeldMessage {
    QtMsgType type;
    QString text;
};
QList<HeldMessage>* heldMessages = nullptr;

void startUpMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        printError(
            QStringLiteral("Das Fenster kann nicht geöffnet werden: keine grafische Anzeige erreichbar "
                           "(%1, %2, %3).")
                .arg(environmentText("DISPLAY"), environmentText("WAYLAND_DISPLAY"),
                     environmentText("QT_QPA_PLATFORM")));
        printError(QStringLiteral("Ohne Anzeige schreibt \"hexquendra --pdf BLATT.pdf HEX-File\" das "
                                  "Einstellungsblatt; hexquendra-cli zeigt und ändert HEX-Files."));
        // What Qt said on the way (English), only for whoever looks into why the display could not
        // be reached: the tests that start an X server ask for it.
        if (qEnvironmentVariableIsEmpty("HQ_QT_DETAILS")) {
            std::fflush(stderr);
            std::_Exit(1);
        }
        if (heldMessages != nullptr)
            for (const HeldMessage& held : *heldMessages)
                printError(QStringLiteral("Einzelheiten (Qt): ") + held.text);
        printError(QStringLiteral("Einzelheiten (Qt): ") + text);
        std::fflush(stderr);
        std::_Exit(1);
    }
    if (heldMessages != nullptr) {
        heldMessages->append({type, text});
        return;
    }
    if (qtMessageHandler != nullptr)
        qtMessageHandler(type, context, text);
}

// A run that shows no window must not need a display: unless the caller chose a platform, it
// gets the offscreen one. Called before QApplication exists, which is when Qt picks it.
int& choosePlatform(int& argc, char** argv) {
    if (LaunchOptions::runsWithoutWindow(argc, argv) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    heldMessages = new QList<HeldMessage>;
    qtMessageHandler = qInstallMessageHandler(startUpMessage);
    return argc;
}

// The start has worked: Qt's messages go their usual way again, the held ones first.
void releaseStartUpMessages() {
    QList<HeldMessage>* held = heldMessages;
    heldMessages = nullptr;
    qInstallMessageHandler(qtMessageHandler);
    for (const HeldMessage& message : *held) {
        const QMessageLogContext context;
        if (qtMessageHandler != nullptr)
            qtMessageHandler(message.type, context, message.text);
        else
            printError(message.text);
    }
    delete held;
}

} // namespace

HexQuendraApp::HexQuendraApp(int& argc, char** argv) : QApplication(choosePlatform(argc, argv), argv) {
    releaseStartUpMessages();
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
    // A file given at the start is loaded before the window first shows: its views are built and
    // sized once, not built into a shown window and arranged again.
    if (!options.file.isEmpty()) {
        Dialogs& dialogs = Dialogs::instance();
        WindowFirstDialogs showingFirst(dialogs, *window);
        Dialogs::install(&showingFirst);
        window->loadFile(options.file);
        Dialogs::install(&dialogs);
    }
    window->show();
    return exec();
}
