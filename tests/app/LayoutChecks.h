#pragma once
// What a user needs of a window's layout, checked without pixel numbers: every control that is shown
// can be reached by the mouse (it lies inside the window and no other widget covers its middle), and
// no caption or button is narrower than its text.

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QWidget>

namespace layoutcheck {

inline QString nameOf(const QWidget* widget) {
    if (!widget->objectName().isEmpty())
        return widget->objectName();
    if (const auto* label = qobject_cast<const QLabel*>(widget); label != nullptr && !label->text().isEmpty())
        return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget);
        button != nullptr && !button->text().isEmpty())
        return button->text();
    return QString::fromLatin1(widget->metaObject()->className());
}

// The mouse at the middle of `control` reaches it (or a part of it) and no other widget.
inline bool reachable(QWidget* window, QWidget* control) {
    if (!control->isVisible())
        return false;
    const QPoint middle = control->mapTo(window, control->rect().center());
    QWidget* hit = window->childAt(middle);
    return hit != nullptr && (hit == control || control->isAncestorOf(hit));
}

// The shown controls of `container` a user works with: buttons, edits, combo boxes and the controls
// named in `extra` (canvases).
inline QList<QWidget*> shownControls(QWidget* container, const QStringList& extra = {}) {
    QList<QWidget*> controls;
    for (QWidget* w : container->findChildren<QWidget*>()) {
        if (!w->isVisible() || w->objectName().startsWith(QLatin1String("qt_")))
            continue;
        if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
            extra.contains(w->objectName()))
            controls.append(w);
    }
    return controls;
}

// The names of the shown controls of `container` that the mouse cannot reach in `window`.
inline QStringList unreachable(QWidget* window, QWidget* container, const QStringList& extra = {}) {
    QStringList names;
    for (QWidget* control : shownControls(container, extra)) {
        // The line edit inside a combo box or spin box is reached through its owner.
        if (qobject_cast<QLineEdit*>(control) && control->parentWidget() &&
            (qobject_cast<QComboBox*>(control->parentWidget()) ||
             control->parentWidget()->inherits("QAbstractSpinBox")))
            continue;
        if (!reachable(window, control))
            names << nameOf(control);
    }
    return names;
}

// The shown labels and buttons of `container` narrower or lower than their text.
inline QStringList cutOff(QWidget* container) {
    QStringList names;
    for (QWidget* w : container->findChildren<QWidget*>()) {
        if (!w->isVisible())
            continue;
        QSize needed;
        if (auto* button = qobject_cast<QPushButton*>(w)) {
            // A push button's size hint holds a minimum width of its own; the text is what counts.
            needed = QSize(button->fontMetrics().horizontalAdvance(button->text()) + 8,
                           button->fontMetrics().height());
        } else if (auto* other = qobject_cast<QAbstractButton*>(w)) {
            if (other->text().isEmpty())
                continue; // arrows of an up-down, check boxes without caption
            needed = w->minimumSizeHint();
        } else if (qobject_cast<QLabel*>(w) != nullptr || qobject_cast<QComboBox*>(w) != nullptr) {
            if (auto* label = qobject_cast<QLabel*>(w); label != nullptr && label->text().isEmpty())
                continue;
            needed = w->minimumSizeHint();
        } else {
            continue;
        }
        if (w->width() < needed.width() || w->height() < needed.height())
            names << nameOf(w);
    }
    return names;
}

} // namespace layoutcheck
