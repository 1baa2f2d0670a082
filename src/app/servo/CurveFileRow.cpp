#include "CurveFileRow.h"

#include "CompactButton.h"
#include "Dialogs.h"
#include "FileWriting.h"
#include "QtText.h"
#include "ServoCaptions.h"
#include "document/ServoEdits.h"
#include "image/TextFile.h"
#include "servo/CurveFile.h"
#include "servo/CurveSetFile.h"

#include <QHBoxLayout>

namespace {

const QString kCurveFilter = QStringLiteral("CUR (*.cur);;TXT (*.txt);;*.* (*)");
const QString kSetFilter = QStringLiteral("SET (*.set);;TXT (*.txt);;*.* (*)");

} // namespace

CurveFileRow::CurveFileRow(QWidget* parent) : QWidget(parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    auto add = [this, row](const char* name, const QString& text, void (CurveFileRow::*handler)()) {
        auto* button = new CompactButton(QString::fromLatin1(name), text, this);
        row->addWidget(button);
        connect(button, &QPushButton::clicked, this, handler);
    };
    const QString save = QStringLiteral("speichern");
    const QString load = QStringLiteral("laden");
    row->addWidget(rowCaption(QStringLiteral("Kurve:"), this));
    add("servo_save_1", save, &CurveFileRow::saveCurve);
    add("servo_load_1", load, &CurveFileRow::loadCurve);
    row->addSpacing(12);
    row->addWidget(rowCaption(QStringLiteral("Alle Kurven:"), this));
    add("servo_save_all", save, &CurveFileRow::saveAll);
    add("servo_load_all", load, &CurveFileRow::loadAll);
    row->addStretch();
}

void CurveFileRow::save(const QString& filter, const QString& suffix, const std::string& text) {
    const QString path = Dialogs::instance().saveFileName(this, filter, suffix, QString());
    if (path.isEmpty())
        return;
    writeFileAsking(this, path, text);
}

std::optional<std::string> CurveFileRow::read(const QString& filter) {
    const QString path = Dialogs::instance().openFileName(this, filter);
    if (path.isEmpty())
        return std::nullopt;
    hq::Result<std::string> text = hq::readTextFile(localPath(path));
    if (!text) {
        warningOk(this, qs(text.message()));
        return std::nullopt;
    }
    return std::move(*text);
}

void CurveFileRow::saveCurve() {
    if (edits_ != nullptr && edits_->hasCurves())
        save(kCurveFilter, QStringLiteral("cur"), hq::formatCurveFile(edits_->curve(curve_)));
}

void CurveFileRow::saveAll() {
    if (edits_ != nullptr && edits_->hasCurves())
        save(kSetFilter, QStringLiteral("set"), hq::formatCurveSetFile(edits_->copy().data));
}

void CurveFileRow::loadCurve() {
    if (edits_ == nullptr)
        return;
    const std::optional<std::string> text = read(kCurveFilter);
    if (!text)
        return;
    if (hq::curveFileTooLong(*text))
        warningOk(this, QString::fromUtf8(hq::kCurveFileTooLongMessage));
    const hq::Result<std::vector<int>> points = hq::parseCurveFile(*text);
    if (!points) {
        warningOk(this, qs(points.message()));
        return;
    }
    edits_->loadCurve(curve_, *points);
}

void CurveFileRow::loadAll() {
    if (edits_ == nullptr)
        return;
    const std::optional<std::string> text = read(kSetFilter);
    if (!text)
        return;
    const hq::Result<hq::ServoData> loaded = hq::parseCurveSetFile(*text);
    if (!loaded) {
        warningOk(this, qs(loaded.message()));
        return;
    }
    edits_->loadCurves(*loaded);
}
