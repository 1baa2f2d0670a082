#include "ChangeMark.h"

#include <QFont>
#include <QLayout>
#include <QPainter>
#include <QPolygon>
#include <QVariant>
#include <QWidget>

QString hintOf(const QWidget* widget);

namespace {

const char* const kMarkProperty = "hqChanged";

// The corner flag: a small triangle in the top left corner of the marked control, drawn above it
// and passing every mouse event through.
class CornerFlag : public QWidget {
public:
    static constexpr int kSize = 7;

    explicit CornerFlag(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("hqChangeFlag"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(0, 0, kSize, kSize);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x1E, 0x5A, 0xC8));
        painter.drawPolygon(QPolygon({QPoint(0, 0), QPoint(kSize, 0), QPoint(0, kSize)}));
    }
};

CornerFlag* flagOf(QWidget* widget) {
    return widget->findChild<CornerFlag*>(QStringLiteral("hqChangeFlag"), Qt::FindDirectChildrenOnly);
}

const char* const kHintProperty = "hqHint";
const char* const kFileValueProperty = "hqFileValue";
const char* const kRangeProblemProperty = "hqRangeProblem";

bool inLayout(const QLayout* layout, const QWidget* widget) {
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (item->widget() == widget || (item->layout() != nullptr && inLayout(item->layout(), widget)))
            return true;
    }
    return false;
}

// Bold text needs more room. A layout gives it where it has room to spare; a control placed by hand
// keeps its size. Where the bold caption would be cut off, the corner flag alone marks the control.
// (A control in a layout that is not shown cannot be judged yet and is set bold.)
void setBoldWherePossible(QWidget* widget, bool bold) {
    QFont font = widget->font();
    font.setBold(bold);
    widget->setFont(font);
    if (!bold)
        return;
    QWidget* parent = widget->parentWidget();
    const bool laidOut =
        parent != nullptr && parent->layout() != nullptr && inLayout(parent->layout(), widget);
    if (laidOut) {
        if (!widget->isVisible())
            return;
        parent->layout()->activate();
    }
    if (widget->minimumSizeHint().width() > widget->width()) {
        font.setBold(false);
        widget->setFont(font);
    }
}

void showToolTip(QWidget* widget) {
    QString tip = hintOf(widget);
    if (const QString problem = rangeProblemOf(widget); !problem.isEmpty())
        tip += (tip.isEmpty() ? QString() : QStringLiteral("\n")) + problem;
    if (hasChangeMark(widget)) {
        const QString fileValue = widget->property(kFileValueProperty).toString();
        tip += tip.isEmpty() ? QString() : QStringLiteral("\n");
        tip += fileValue.isEmpty() ? QStringLiteral("Geändert gegenüber der Datei")
                                   : QStringLiteral("In der Datei: ") + fileValue;
    }
    if (widget->toolTip() != tip)
        widget->setToolTip(tip);
}

} // namespace

QString hintOf(const QWidget* widget) {
    const QVariant hint = widget->property(kHintProperty);
    return hint.isValid() ? hint.toString() : widget->toolTip();
}

void setHint(QWidget* widget, const QString& hint) {
    if (widget == nullptr)
        return;
    widget->setProperty(kHintProperty, hint);
    showToolTip(widget);
}

void setChangeMark(QWidget* widget, bool changed, const QString& fileValue) {
    if (widget == nullptr)
        return;
    if (!widget->property(kHintProperty).isValid())
        widget->setProperty(kHintProperty, widget->toolTip());
    widget->setProperty(kFileValueProperty, fileValue);
    if (hasChangeMark(widget) != changed) {
        widget->setProperty(kMarkProperty, changed);
        setBoldWherePossible(widget, changed);
        CornerFlag* flag = flagOf(widget);
        if (changed && flag == nullptr)
            flag = new CornerFlag(widget);
        if (flag != nullptr) {
            flag->setVisible(changed);
            flag->raise();
        }
    }
    showToolTip(widget);
}

void setRangeProblem(QWidget* widget, const QString& problem) {
    if (widget == nullptr)
        return;
    if (!widget->property(kHintProperty).isValid())
        widget->setProperty(kHintProperty, widget->toolTip());
    widget->setProperty(kRangeProblemProperty, problem);
    showToolTip(widget);
}

QString rangeProblemOf(const QWidget* widget) {
    return widget->property(kRangeProblemProperty).toString();
}

bool hasChangeMark(const QWidget* widget) {
    return widget != nullptr && widget->property(kMarkProperty).toBool();
}
