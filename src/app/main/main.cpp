#include "HexQuendraApp.h"
#include "io/WriteFile.h"

int main(int argc, char** argv) {
    // A signal while a file is being written removes its temporary file, as in the command line.
    hq::io::removeTemporaryFilesOnSignal();
    HexQuendraApp app(argc, argv);
    return app.run();
}
