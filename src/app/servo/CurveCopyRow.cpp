#include "CurveCopyRow.h"

#include "CompactButton.h"
#include "ServoCaptions.h"

#include <QHBoxLayout>

CurveCopyRow::CurveCopyRow(QWidget* parent)
    : QWidget(parent),
      accept_(new CompactButton(QStringLiteral("servo_btn_uebernehmen"), QStringLiteral("übernehmen"), this)),
      discard_(new CompactButton(QStringLiteral("servo_btn_verwerfen"), QStringLiteral("verwerfen"), this)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(5);
    row->addWidget(rowCaption(QStringLiteral("Kopieren:"), this));
    for (int i = 0; i < static_cast<int>(copies_.size()); ++i) {
        auto* button = new CompactButton(QStringLiteral("btn_copy%1").arg(i + 1),
                                         QStringLiteral("von #%1").arg(i + 1), this);
        copies_[static_cast<std::size_t>(i)] = button;
        row->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, i] { emit copyRequested(i + 1); });
    }
    row->addStretch();
    row->addWidget(accept_);
    row->addWidget(discard_);
    accept_->setEnabled(false);
    connect(accept_, &QPushButton::clicked, this, &CurveCopyRow::acceptRequested);
    connect(discard_, &QPushButton::clicked, this, &CurveCopyRow::discardRequested);
}

void CurveCopyRow::showSelected(int curve) {
    selected_ = curve;
    for (int i = 0; i < static_cast<int>(copies_.size()); ++i)
        copies_[static_cast<std::size_t>(i)]->setEnabled(copiesAllowed_ && i + 1 != curve);
}

void CurveCopyRow::setCopiesAllowed(bool allowed) {
    copiesAllowed_ = allowed;
    showSelected(selected_);
}

void CurveCopyRow::setAcceptEnabled(bool enabled) {
    accept_->setEnabled(enabled);
}
