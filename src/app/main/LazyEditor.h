#pragma once
// An editor that is built the first time its firmware is loaded: most sessions never open most
// editors, and building their panels would only slow the window's start.

#include "PanelEditor.h"

#include <functional>
#include <memory>

class LazyEditor : public PanelEditor {
public:
    using Factory = std::function<std::unique_ptr<PanelEditor>()>;

    LazyEditor(hq::Panel panel, Factory factory) : panel_(panel), factory_(std::move(factory)) {}

    hq::Panel panel() const override { return panel_; }

    void setUp(FirmwareDocument& document, EditorHost& host) override {
        if (!editor_)
            editor_ = factory_();
        editor_->setUp(document, host);
    }
    void reset() override {
        if (editor_)
            editor_->reset();
    }

    // The editor, once built.
    PanelEditor* editor() const { return editor_.get(); }

private:
    hq::Panel panel_;
    Factory factory_;
    std::unique_ptr<PanelEditor> editor_;
};
