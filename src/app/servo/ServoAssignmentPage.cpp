#include "ServoAssignmentPage.h"

#include "ChangeMark.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHash>
#include <QLabel>
#include <QSignalBlocker>

namespace {

// A box of one column: all boxes of a column hold the same items, so the size one of them works out
// from its items is the size of every box of the column in the same font (a changed box is bold).
class AssignmentBox : public QComboBox {
public:
    using Sizes = QHash<QString, QSize>; // by font key

    AssignmentBox(const QStringList& items, std::shared_ptr<Sizes> sizes, QWidget* parent)
        : QComboBox(parent), sizes_(std::move(sizes)) {
        addItems(items);
    }

    QSize sizeHint() const override {
        const QString font = this->font().key();
        auto known = sizes_->constFind(font);
        if (known == sizes_->cend())
            known = sizes_->insert(font, QComboBox::sizeHint());
        return *known;
    }
    // The items are known, so the least size is the size they need.
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void changeEvent(QEvent* event) override {
        // Another style measures anew; another font has a size of its own.
        if (event->type() == QEvent::StyleChange)
            sizes_->clear();
        QComboBox::changeEvent(event);
    }

private:
    std::shared_ptr<Sizes> sizes_;
};

using Field = ServoEdits::AssignmentField;

constexpr std::array<Field, 4> kFields{Field::Servo, Field::Action, Field::Curve, Field::Relay};

const char* fieldName(Field field) {
    switch (field) {
    case Field::Servo:
        return "servo";
    case Field::Action:
        return "action";
    case Field::Curve:
        return "curve";
    case Field::Relay:
        break;
    }
    return "relais";
}

QStringList fieldItems(Field field) {
    if (field == Field::Action) {
        return {QStringLiteral("Start"), QStringLiteral("Start Loop"), QStringLiteral("Abbruch"),
                QStringLiteral("Beenden")};
    }
    const QString prefix = field == Field::Servo   ? QStringLiteral("Servo %1")
                           : field == Field::Curve ? QStringLiteral("Kurve %1")
                                                   : QStringLiteral("Relais %1");
    QStringList items;
    for (int n = 1; n <= hq::kAssignmentItemCount; ++n)
        items << prefix.arg(n);
    return items;
}

// What a user cannot see from the captions: what each box of an assignment row chooses and what the
// actions do.
QString fieldHint(Field field, int row) {
    switch (field) {
    case Field::Servo:
        return QStringLiteral("Das Servo, das die Adresse a%1 bewegt.").arg(row);
    case Field::Action:
        return QStringLiteral("Was ein Befehl an die Adresse a%1 tut:\n"
                              "Start – die gewählte Kurve einmal abfahren (mit dem gewählten Relais),\n"
                              "Start Loop – die Kurve immer wieder abfahren,\n"
                              "Abbruch – den Ablauf des Servos abbrechen,\n"
                              "Beenden – den Ablauf des Servos beenden.\n"
                              "Kurve und Relais gehören nur zu Start und Start Loop.")
            .arg(row);
    case Field::Curve:
        return QStringLiteral("Die Kurve, die Start oder Start Loop abfährt.");
    case Field::Relay:
        break;
    }
    return QStringLiteral("Das Relais, das die roten Abschnitte der Kurve schalten.");
}

// The item each box of a row shows for its bytes; -1 (no item) for a bit beyond the items.
std::array<int, 4> itemsOf(const hq::AssignmentRow& bytes) {
    return {hq::comboItem(hq::servoBitIndex(bytes.servoAction)),
            hq::comboItem(hq::actionBitIndex(bytes.servoAction)),
            hq::comboItem(hq::curveBitIndex(bytes.curveRelay)),
            hq::comboItem(hq::relayBitIndex(bytes.curveRelay))};
}

} // namespace

ServoAssignmentPage::ServoAssignmentPage(QWidget* parent) : QWidget(parent) {
    for (std::size_t f = 0; f < kFields.size(); ++f) {
        items_[f] = fieldItems(kFields[f]);
        sizes_[f] = std::make_shared<QHash<QString, QSize>>();
    }
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    for (int row = 1; row <= hq::kAssignmentRowCount; ++row) {
        grid->addWidget(new QLabel(QStringLiteral("a%1").arg(row), this), row, 0);
        for (std::size_t f = 0; f < kFields.size(); ++f)
            grid->addWidget(addCombo(row, kFields[f]), row, static_cast<int>(f) + 1);
    }
    grid->setColumnStretch(5, 1);
    grid->setRowStretch(0, 1);
    grid->setRowStretch(hq::kAssignmentRowCount + 1, 1);
}

QComboBox* ServoAssignmentPage::addCombo(int row, Field field) {
    const auto f = static_cast<std::size_t>(field);
    auto* box = new AssignmentBox(items_[f], sizes_[f], this);
    box->setObjectName(QStringLiteral("cbx_a%1_%2").arg(row).arg(QString::fromLatin1(fieldName(field))));
    box->setToolTip(fieldHint(field, row));
    rows_[static_cast<std::size_t>(row - 1)][f] = box;
    // Also an item set by a program (a test, accessibility) is a choice; showing one is not.
    connect(box, &QComboBox::currentIndexChanged, this,
            [this, row, field](int item) { emit assignmentChosen(row, field, item); });
    return box;
}

QComboBox* ServoAssignmentPage::combo(int row, Field field) const {
    return rows_[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(field)];
}

void ServoAssignmentPage::showAssignments(const ServoEdits& edits) {
    for (int row = 1; row <= hq::kAssignmentRowCount; ++row) {
        const hq::AssignmentRow shown = edits.assignment(row);
        const std::array<int, 4> items = itemsOf(shown);
        const std::array<int, 4> inFile = itemsOf(edits.assignment(row, ServoEdits::Copy::File));
        for (std::size_t f = 0; f < kFields.size(); ++f) {
            QComboBox* box = combo(row, kFields[f]);
            if (box->currentIndex() != items[f]) {
                const QSignalBlocker blocker(box);
                box->setCurrentIndex(items[f]);
            }
            setChangeMark(box, items[f] != inFile[f],
                          inFile[f] < 0 ? QStringLiteral("–") : box->itemText(inFile[f]));
        }
        const bool curveShown = hq::curveAndRelayShown(hq::actionBitIndex(shown.servoAction));
        combo(row, Field::Curve)->setVisible(curveShown);
        combo(row, Field::Relay)->setVisible(curveShown);
    }
}
