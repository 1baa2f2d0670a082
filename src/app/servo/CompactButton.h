#pragma once
// A push button as narrow as its caption: the style's margins around the text, without the minimum
// width styles give text buttons, so that the servo editor's rows of short captions ("Lin", "<<",
// "von #1") keep their compact look with any font.

#include <QPushButton>

class CompactButton : public QPushButton {
    Q_OBJECT
public:
    // Symbols ("<<", ">") take less room around them than words.
    enum class Padding { Text, Symbol };

    // A button named `name` (its object name) with `caption`.
    CompactButton(const QString& name, const QString& caption, QWidget* parent,
                  Padding padding = Padding::Text);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    Padding padding_;
};
