#include "GuardNotice.h"

#include "QtText.h"

#include <QStringList>

GuardNotice::GuardNotice(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("lbl_tabellenschutz"));
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
    setFrameShape(QFrame::StyledPanel);
    setMargin(6);
    setAutoFillBackground(true);
    QPalette amber = palette();
    amber.setColor(QPalette::Window, QColor(0xFF, 0xE7, 0xB3));
    amber.setColor(QPalette::WindowText, Qt::black);
    setPalette(amber);
    hide();
}

void GuardNotice::showBlocks(const std::vector<hq::GuardedBlock>& blocks) {
    guards_ = !blocks.empty();
    QStringList lines;
    for (const hq::GuardedBlock& block : blocks)
        lines << qs(block.reason);
    if (guards_)
        lines << tr("Der Editor zeigt diese Tabelle nur an; ändern lässt sie sich hier nicht.");
    setText(lines.join(QLatin1Char('\n')));
    setVisible(guards_);
}
