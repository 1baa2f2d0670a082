// hexquendra-cli: the commands live in hexquendra_cli_lib.

#include "Cli.h"

#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QTextStream out(stdout);
    QTextStream err(stderr);
    hq::Console console{out, err};
    return hq::runCli(arguments, console);
}
