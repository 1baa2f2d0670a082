#include "AppFactory.h"

#include "TFormMain.h"
#include "light/BlinkEditor.h"
#include "light/HouseEditor.h"
#include "light/LedEditor.h"
#include "light/NeonEditor.h"
#include "servo/ServoEditor.h"

#include <QtGlobal>

// The pictures live in the static GUI library; the linker keeps them only when they are named.
// (Outside any namespace, as the resource initialiser is declared at global scope.)
static void initResources() {
    Q_INIT_RESOURCE(hexquendra);
}

std::unique_ptr<TFormMain> createMainWindow() {
    initResources();
    auto window = std::make_unique<TFormMain>();
    // Asked about pending changes in this order when saving: servo, blink, LED.
    QWidget* area = window->centralWidget();
    window->addEditor(std::make_unique<ServoEditor>(area));
    window->addEditor(std::make_unique<BlinkEditor>(area));
    window->addEditor(std::make_unique<LedEditor>(area));
    window->addEditor(std::make_unique<NeonEditor>(area));
    window->addEditor(std::make_unique<HouseEditor>());
    return window;
}
