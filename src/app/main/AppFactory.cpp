#include "AppFactory.h"

#include "TFormMain.h"

#include <QtGlobal>

// The pictures live in the static GUI library; the linker keeps them only when they are named.
// (Outside any namespace, as the resource initialiser is declared at global scope.)
static void initResources() {
    Q_INIT_RESOURCE(hexquendra);
}

std::unique_ptr<TFormMain> createMainWindow() {
    initResources();
    auto window = std::make_unique<TFormMain>();
    return window;
}
