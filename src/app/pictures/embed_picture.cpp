// Build tool: turns a PNG picture into a header of its pixels, so that the window shows it without
// looking for an image reader at start.
//   embed_picture NAME IN.png OUT.h
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: embed_picture NAME IN.png OUT.h\n");
        return 2;
    }
    const QString name = args.at(1);
    const QImage picture = QImage(args.at(2)).convertToFormat(QImage::Format_ARGB32);
    if (picture.isNull()) {
        std::fprintf(stderr, "embed_picture: cannot read %s\n", qPrintable(args.at(2)));
        return 1;
    }
    QFile out(args.at(3));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        std::fprintf(stderr, "embed_picture: cannot write %s\n", qPrintable(args.at(3)));
        return 1;
    }
    QTextStream text(&out);
    text << "// Made by embed_picture from " << args.at(2).section(QLatin1Char('/'), -1) << "; do not edit.\n"
         << "#pragma once\n#include <cstdint>\n"
         << "inline constexpr int " << name << "Width = " << picture.width() << ";\n"
         << "inline constexpr int " << name << "Height = " << picture.height() << ";\n"
         << "inline constexpr std::uint32_t " << name << "Pixels[] = {";
    int column = 0;
    for (int y = 0; y < picture.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            text << (column++ % 8 == 0 ? "\n    " : " ") << "0x" << QString::number(line[x], 16) << "u,";
        }
    }
    text << "\n};\n";
    text.flush();
    return out.error() == QFileDevice::NoError ? 0 : 1;
}
