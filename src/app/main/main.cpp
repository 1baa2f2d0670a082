#include "HexQuendraApp.h"

int main(int argc, char** argv) {
    HexQuendraApp app(argc, argv);
    return app.run();
}
