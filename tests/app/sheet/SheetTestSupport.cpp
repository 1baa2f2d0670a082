// Demo files and poppler's tools for the sheet tests.

#include "SheetTestSupport.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace sheettest {

namespace {

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

QString demoPath(int kind, const QString& protocol) {
    return QStringLiteral(HQ_EXAMPLES_DIR "/demo-%1-%2.hex").arg(kind).arg(protocol);
}

hq::Firmware loadDemo(int kind, const QString& protocol) {
    auto loaded = hq::loadFirmwareFile(QFile::encodeName(demoPath(kind, protocol)).toStdString());
    if (!loaded)
        qFatal("demo firmware missing: %s", loaded.message().c_str());
    return std::move(*loaded);
}

bool popplerAvailable() {
    for (const char* tool : {"pdftotext", "pdfinfo", "pdfimages"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            return false;
    }
    return true;
}

QString pdfText(const QString& pdf) {
    return run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
}

int pdfPages(const QString& pdf) {
    const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = pages.match(run(QStringLiteral("pdfinfo"), {pdf}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

int pdfImages(const QString& pdf) {
    // Two header lines, then one line per image.
    const QString list = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
    if (list.isEmpty())
        return -1;
    return static_cast<int>(list.split(u'\n', Qt::SkipEmptyParts).size()) - 2;
}

} // namespace sheettest
