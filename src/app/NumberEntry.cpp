#include "NumberEntry.h"

#include "Dialogs.h"
#include "light/NumberEntry.h"

#include <QLineEdit>

std::optional<int> enteredNumber(QLineEdit* edit, std::string_view rangeText) {
    const hq::Result<std::optional<int>> entered =
        hq::readEnteredNumber(edit->text().toStdString(), rangeText);
    if (!entered) {
        warningOk(edit, QString::fromStdString(entered.message()));
        edit->setFocus(Qt::OtherFocusReason);
        return std::nullopt;
    }
    return *entered;
}
