#include "AppFactory.h"

#include "LazyEditor.h"
#include "TFormMain.h"
#include "light/BlinkEditor.h"
#include "light/HouseEditor.h"
#include "light/LedEditor.h"
#include "light/NeonEditor.h"
#include "servo/ServoEditor.h"

std::unique_ptr<TFormMain> createMainWindow() {
    auto window = std::make_unique<TFormMain>();
    // Asked about pending changes in this order when saving: servo, blink, LED. Each is built when
    // its firmware is first loaded; its set-up shows its panels in the window.
    auto add = [&window](hq::Panel panel, LazyEditor::Factory factory) {
        window->addEditor(std::make_unique<LazyEditor>(panel, std::move(factory)));
    };
    add(hq::Panel::Servo, [] { return std::make_unique<ServoEditor>(); });
    add(hq::Panel::Blink, [] { return std::make_unique<BlinkEditor>(); });
    add(hq::Panel::Led, [] { return std::make_unique<LedEditor>(); });
    add(hq::Panel::Neon, [] { return std::make_unique<NeonEditor>(); });
    add(hq::Panel::House, [] { return std::make_unique<HouseEditor>(); });
    return window;
}
