#include "AddressHelpPresenter.h"

#include "ParameterGridBox.h"
#include "QtText.h"
#include "document/FirmwareDocument.h"
#include "help/AddressHelp.h"

#include <QLineEdit>

AddressHelpPresenter::AddressHelpPresenter(FirmwareDocument& document, ParameterGridBox& grid,
                                           QObject* parent)
    : QObject(parent), document_(document), grid_(grid) {
    connect(&document_, &FirmwareDocument::changed, this, &AddressHelpPresenter::showChange);
    connect(&grid_, &ParameterGridBox::rowEntered, this, &AddressHelpPresenter::showHelpLine);
}

void AddressHelpPresenter::showChange(const DocumentChange& change) {
    if (!document_.isLoaded())
        return;
    if (change.touches(DocumentChange::Area::Baseline)) {
        lines_ = hq::eepromLineMap(document_.firmware().image);
        asRead_ = hq::rowsAsRead(document_.firmware());
    } else if (!change.touches(DocumentChange::Area::Rows)) {
        return;
    }
    showRows();
    showHelpLine();
}

hq::RowTable AddressHelpPresenter::typedRows() const {
    // A text that is no number gets no help.
    const hq::Recognition& recognition = document_.firmware().recognition;
    hq::RowTable rows;
    for (int row = 0; row < hq::kRowCount; ++row) {
        const hq::RowSetting& setting = document_.grid().row(row);
        const std::optional<int> address = setting.address.number();
        hq::RowValues& values = rows.at(static_cast<std::size_t>(row));
        values.shown = address.has_value() && hq::rowShown(recognition, row);
        values.address = address.value_or(0);
        values.redGreen = setting.redGreen;
        values.function = setting.function.numberOr(0);
    }
    return rows;
}

void AddressHelpPresenter::showRows() {
    ++passes_;
    const hq::Recognition& recognition = document_.firmware().recognition;
    const hq::RowTable rows = typedRows();
    for (int row = 1; row < hq::kRowCount; ++row) {
        if (!hq::rowShown(recognition, row))
            continue;
        const hq::AddressHelp help =
            hq::addressHelp(recognition.protocol, recognition.type, rows, row, lines_);
        QStringList warnings;
        for (const hq::HelpWarning& warning : help.warnings)
            warnings << qs(warning.text);
        // A row kept as read shows its bytes and lines while it still holds the value read.
        const auto& kept = asRead_.at(static_cast<std::size_t>(row));
        if (kept && document_.grid().row(row) == document_.grid().fileRow(row))
            warnings << qs(kept->text());
        grid_.showRowHelp(row, rows.at(static_cast<std::size_t>(row)).shown ? qs(help.text()) : QString(),
                          warnings);
    }
}

void AddressHelpPresenter::showHelpLine() {
    if (!document_.isLoaded())
        return;
    const hq::Recognition& recognition = document_.firmware().recognition;
    int row = grid_.focusedRow();
    if (row <= 0 || !hq::rowShown(recognition, row)) {
        row = 0;
        for (int r = 1; r < hq::kRowCount && row == 0; ++r)
            row = hq::rowShown(recognition, r) ? r : 0;
    }
    if (row == 0) {
        grid_.showHelpLine(QString());
        return;
    }
    const hq::RowTable rows = typedRows();
    const QString caption = qs(recognition.rowCaption(row));
    if (!rows.at(static_cast<std::size_t>(row)).shown) {
        grid_.showHelpLine(caption + tr(": keine gültige Adresse"));
        return;
    }
    const hq::AddressHelp help = hq::addressHelp(recognition.protocol, recognition.type, rows, row, lines_);
    QString text = caption + QStringLiteral(": ") + qs(help.headline);
    for (const std::string& numbering : help.numbering)
        text += QStringLiteral(" · ") + qs(numbering);
    QStringList warnings;
    for (const hq::HelpWarning& warning : help.warnings)
        warnings << qs(warning.text);
    if (!warnings.isEmpty())
        text += QStringLiteral("\n⚠ ") + warnings.join(QStringLiteral(" ⚠ "));
    else if (!help.notes.empty())
        text += QStringLiteral("\n") + qs(help.notes.front());
    grid_.showHelpLine(text);
}
