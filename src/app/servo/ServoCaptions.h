#pragma once
// The captions of the servo editor's rows and tabs: a caption beside its controls keeps the width of
// its text, a heading over a group of them is bold.

#include <QLabel>

inline QLabel* rowCaption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    return label;
}

inline QLabel* groupHeading(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}
