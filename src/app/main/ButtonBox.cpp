#include "ButtonBox.h"

#include <QGridLayout>
#include <QProgressBar>
#include <QPushButton>

namespace {

QPushButton* button(const QString& name, const QString& caption, const QString& hint, bool bold,
                    QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setToolTip(hint);
    if (bold) {
        QFont font = b->font();
        font.setBold(true);
        b->setFont(font);
    }
    return b;
}

} // namespace

ButtonBox::ButtonBox(QWidget* parent)
    : QGroupBox(parent),
      load_(button(
          QStringLiteral("btn_load"), QStringLiteral("HEX laden"),
          QStringLiteral("Hex-File laden.\r\nAnschliessend können Parameter wie z.B. die Adressen geändert "
                         "werden."),
          true, this)),
      save_(button(
          QStringLiteral("btn_save"), QStringLiteral("HEX speichern"),
          QStringLiteral("Hex-File speichern\r\nDas neue HEX-File kann dann in den PIC 'gebrannt' werden"),
          true, this)),
      close_(
          button(QStringLiteral("btn_close"), QStringLiteral("Ende"),
                 QStringLiteral("Programm beenden (fragt nur, wenn Änderungen noch nicht gespeichert sind)"),
                 true, this)),
      info_(button(QStringLiteral("btn_info"), QStringLiteral("Info"),
                   QStringLiteral("Anzeige der HEX-Daten"), false, this)),
      progress_(new QProgressBar(this)) {
    setObjectName(QStringLiteral("GroupBoxButtons"));

    progress_->setObjectName(QStringLiteral("ProgressBar1"));
    progress_->setRange(0, 100);
    progress_->setValue(0);
    progress_->setTextVisible(false);
    progress_->setMaximumHeight(progress_->fontMetrics().height() * 2 / 3); // a thin bar under the buttons

    save_->setEnabled(false);

    layout_ = new QGridLayout(this);
    layout_->setContentsMargins(8, 6, 8, 6);
    layout_->setHorizontalSpacing(6);
    layout_->setVerticalSpacing(4);
    arrange(true);
}

void ButtonBox::arrange(bool oneRow) {
    oneRow_ = oneRow;
    for (QWidget* w :
         {static_cast<QWidget*>(load_), static_cast<QWidget*>(save_), static_cast<QWidget*>(info_),
          static_cast<QWidget*>(close_), static_cast<QWidget*>(progress_)}) {
        layout_->removeWidget(w);
    }
    for (int column = 0; column < 4; ++column) {
        layout_->setColumnStretch(column, 0);
    }
    if (oneRow) {
        layout_->addWidget(load_, 0, 0);
        layout_->addWidget(save_, 0, 1);
        layout_->addWidget(info_, 0, 2);
        layout_->addWidget(close_, 0, 3);
        layout_->addWidget(progress_, 1, 0, 1, 4);
    } else {
        layout_->addWidget(load_, 0, 0);
        layout_->addWidget(save_, 0, 1);
        layout_->addWidget(info_, 1, 0);
        layout_->addWidget(close_, 1, 1);
        layout_->addWidget(progress_, 2, 0, 1, 2);
    }
}

void ButtonBox::setCompact(bool compact) {
    if (compact != !oneRow_)
        arrange(!compact);
}
