#include "ServoCurvePanel.h"

#include "ChangeMark.h"
#include "Dialogs.h"
#include "QtText.h"
#include "ServoCurveCanvas.h"
#include "ServoRelayCanvas.h"
#include "ServoUpDown.h"
#include "image/TextFile.h"
#include "servo/CurveFile.h"
#include "servo/CurveGenerator.h"
#include "servo/CurveSetFile.h"
#include "servo/CurveSettings.h"
#include "servo/CurveTransform.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

const QString kCurveFilter = QStringLiteral("CUR (*.cur);;TXT (*.txt);;*.* (*)");
const QString kSetFilter = QStringLiteral("SET (*.set);;TXT (*.txt);;*.* (*)");

// Steps typed into the count and the stretch field merge until the entry is finished.
constexpr int kCurveCountEntry = 1001;
constexpr int kCurveStretchEntry = 1002;

// Shows a stored count or stretch unless the field already asks for it ("0" stays as typed while
// it stands for the stored 1). `asStored` shows the stored number in any case: the text in the field
// was typed for another curve or another firmware.
void showStored(QLineEdit* edit, int stored, hq::Result<int> (*parse)(std::string_view), bool asStored) {
    const hq::Result<int> typed = parse(edit->text().toStdString());
    if (!asStored && typed && *typed == stored)
        return;
    if (edit->text() == QString::number(stored))
        return;
    const QSignalBlocker blocker(edit);
    edit->setText(QString::number(stored));
}

QLabel* caption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    return label;
}

QLineEdit* numberEdit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setFixedWidth(32);
    edit->setText(QStringLiteral("10"));
    return edit;
}

// The edit with its up-down right beside it.
QHBoxLayout* withUpDown(QLineEdit* edit, QWidget* upDown) {
    auto* pair = new QHBoxLayout;
    pair->setSpacing(0);
    pair->addWidget(edit);
    pair->addWidget(upDown);
    return pair;
}

} // namespace

ServoCurvePanel::ServoCurvePanel(hq::ServoWorkingCopy& copy, QWidget* parent)
    : QFrame(parent), copy_(copy), curveCanvas_(new ServoCurveCanvas(this)),
      relayCanvas_(new ServoRelayCanvas(this)), countEdit_(numberEdit("edt_Anzahl", this)),
      stretchEdit_(numberEdit("edt_stretch", this)), intervalLabel_(new QLabel(this)),
      durationLabel_(new QLabel(this)),
      acceptButton_(button("servo_btn_uebernehmen", QStringLiteral("übernehmen"))),
      discardButton_(button("servo_btn_verwerfen", QStringLiteral("verwerfen"))) {
    setObjectName(QStringLiteral("pnl_servo"));
    curveCanvas_->setToolTip(QStringLiteral(
        "Klicken oder mit gedrückter linker Maustaste ziehen: der Kurven-Punkt unter der Maus geht auf "
        "ihre Höhe (unten 0, oben 127).\nDie Punkte folgen einander im Abstand \"Zeit zwischen 2 Punkten\" "
        "(20 ms × Stretch)."));
    relayCanvas_->setToolTip(QStringLiteral(
        "Rote Leiste: an diesen Punkten der Kurve ist das Relais angezogen.\nKlicken oder ziehen in der "
        "oberen Hälfte schaltet es an den Punkten ein, in der unteren aus."));
    countEdit_->setToolTip(QStringLiteral(
        "Anzahl der Kurven-Punkte (1..100), die abgefahren werden; Punkte dahinter bleiben gespeichert."));
    stretchEdit_->setToolTip(
        QStringLiteral("Stretch-Faktor (1..200): jeder Schritt von Punkt zu Punkt dauert 20 ms × Stretch."));
    setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    intervalLabel_->setObjectName(QStringLiteral("lbl_KurveInfo1"));
    durationLabel_->setObjectName(QStringLiteral("lbl_KurveInfo2"));

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(10, 6, 10, 6);
    root->setSpacing(4);
    root->addWidget(curveCanvas_);
    root->addWidget(relayCanvas_);

    auto* selection = new QHBoxLayout;
    selection->setSpacing(4);
    for (int i = 0; i < hq::kServoCurveCount; ++i) {
        auto* radio = new QRadioButton(QStringLiteral("Kurve %1").arg(i + 1), this);
        radio->setObjectName(QStringLiteral("servo_rad_a%1").arg(i + 1));
        curveRadios_[static_cast<std::size_t>(i)] = radio;
        selection->addWidget(radio);
        connect(radio, &QRadioButton::toggled, this, [this](bool checked) {
            if (checked) {
                servo_rad_a1Click();
            }
        });
    }
    {
        const QSignalBlocker blocker(curveRadios_[0]);
        curveRadios_[0]->setChecked(true);
    }
    selection->addStretch();
    selection->addWidget(caption(QStringLiteral("Anzahl"), this));
    selection->addLayout(withUpDown(countEdit_, new ServoUpDown(countEdit_, 1, 200, this)));
    selection->addSpacing(8);
    selection->addWidget(caption(QStringLiteral("Stretch"), this));
    selection->addLayout(withUpDown(stretchEdit_, new ServoUpDown(stretchEdit_, 1, 200, this)));
    root->addLayout(selection);

    auto* copying = new QHBoxLayout;
    copying->setSpacing(5);
    copying->addWidget(caption(QStringLiteral("Kopieren:"), this));
    for (int i = 0; i < hq::kServoCurveCount; ++i) {
        const QByteArray name = "btn_copy" + QByteArray::number(i + 1);
        QPushButton* copyButton = button(name.constData(), QStringLiteral("von #%1").arg(i + 1));
        copyButtons_[static_cast<std::size_t>(i)] = copyButton;
        copying->addWidget(copyButton);
        connect(copyButton, &QPushButton::clicked, this, [this, i] { servo_btn_copyClick(i + 1); });
    }
    copying->addStretch();
    copying->addWidget(acceptButton_);
    copying->addWidget(discardButton_);
    root->addLayout(copying);
    connect(acceptButton_, &QPushButton::clicked, this, &ServoCurvePanel::acceptRequested);
    connect(discardButton_, &QPushButton::clicked, this, &ServoCurvePanel::discardRequested);

    auto* info = new QHBoxLayout;
    info->addWidget(intervalLabel_);
    info->addSpacing(16);
    info->addWidget(durationLabel_);
    info->addStretch();
    root->addLayout(info);

    auto* shapes = new QHBoxLayout;
    shapes->addWidget(caption(QStringLiteral("Kurvenform:"), this));
    connect(button("btn_Lin", QStringLiteral("Lin")), &QPushButton::clicked, this,
            &ServoCurvePanel::servo_btn_LinClick);
    connect(button("btn_Log", QStringLiteral("Log")), &QPushButton::clicked, this,
            &ServoCurvePanel::servo_btn_LogClick);
    connect(button("btn_Sin", QStringLiteral("1/4 Sin")), &QPushButton::clicked, this,
            &ServoCurvePanel::servo_btn_SinClick);
    connect(button("btn_sin2", QStringLiteral("1/2 Sin")), &QPushButton::clicked, this,
            &ServoCurvePanel::servo_btn_sin2Click);
    for (const char* name : {"btn_Lin", "btn_Log", "btn_Sin", "btn_sin2"}) {
        shapes->addWidget(findChild<QPushButton*>(QString::fromLatin1(name)));
    }
    shapes->addSpacing(12);
    shapes->addWidget(caption(QStringLiteral("Spiegeln:"), this));
    QPushButton* vertical = button("btn_MirrorVertikal", QStringLiteral("vertikal"));
    QPushButton* horizontal = button("btn_MirrorHorizontal", QStringLiteral("horizontal"));
    connect(vertical, &QPushButton::clicked, this, &ServoCurvePanel::servo_btn_MirrorVertikalClick);
    connect(horizontal, &QPushButton::clicked, this, &ServoCurvePanel::servo_btn_MirrorHorizontalClick);
    shapes->addWidget(vertical);
    shapes->addWidget(horizontal);
    shapes->addStretch();
    root->addLayout(shapes);

    auto* files = new QHBoxLayout;
    files->addWidget(caption(QStringLiteral("Kurve:"), this));
    QPushButton* saveCurve = button("servo_save_1", QStringLiteral("speichern"));
    QPushButton* loadCurve = button("servo_load_1", QStringLiteral("laden"));
    files->addWidget(saveCurve);
    files->addWidget(loadCurve);
    files->addSpacing(12);
    files->addWidget(caption(QStringLiteral("Alle Kurven:"), this));
    QPushButton* saveAll = button("servo_save_all", QStringLiteral("speichern"));
    QPushButton* loadAll = button("servo_load_all", QStringLiteral("laden"));
    files->addWidget(saveAll);
    files->addWidget(loadAll);
    files->addStretch();
    root->addLayout(files);
    connect(saveCurve, &QPushButton::clicked, this, &ServoCurvePanel::servo_save_1Click);
    connect(loadCurve, &QPushButton::clicked, this, &ServoCurvePanel::servo_load_xClick);
    connect(saveAll, &QPushButton::clicked, this, &ServoCurvePanel::servo_save_allClick);
    connect(loadAll, &QPushButton::clicked, this, &ServoCurvePanel::servo_load_allClick);

    connect(countEdit_, &QLineEdit::textChanged, this, &ServoCurvePanel::servo_edt_AnzahlChange);
    connect(stretchEdit_, &QLineEdit::textChanged, this, &ServoCurvePanel::servo_edt_stretchChange);
    connect(countEdit_, &QLineEdit::editingFinished, this, &ServoCurvePanel::entryFinished);
    connect(stretchEdit_, &QLineEdit::editingFinished, this, &ServoCurvePanel::entryFinished);
    connect(curveCanvas_, &ServoCurveCanvas::pointDrawn, this, &ServoCurvePanel::curvePointDrawn);
    connect(relayCanvas_, &ServoRelayCanvas::pointDrawn, this, &ServoCurvePanel::relayPointDrawn);
    connect(curveCanvas_, &ServoCurveCanvas::strokeStarted, this, &ServoCurvePanel::strokeStarted);
    connect(relayCanvas_, &ServoRelayCanvas::strokeStarted, this, &ServoCurvePanel::strokeStarted);
    connect(curveCanvas_, &ServoCurveCanvas::strokeFinished, this,
            [this] { emit strokeFinished(QStringLiteral("Kurve %1 gezeichnet").arg(selectedCurve())); });
    connect(relayCanvas_, &ServoRelayCanvas::strokeFinished, this, [this] {
        emit strokeFinished(QStringLiteral("Relais von Kurve %1 gezeichnet").arg(selectedCurve()));
    });

    acceptButton_->setEnabled(false);
    setFixedSize(kWidth, sizeHint().height());
    showCurve(true);
}

QPushButton* ServoCurvePanel::button(const char* name, const QString& text) {
    auto* b = new QPushButton(text, this);
    b->setObjectName(QString::fromLatin1(name));
    b->setFixedWidth(b->fontMetrics().horizontalAdvance(text) + 16);
    return b;
}

int ServoCurvePanel::selectedCurve() const {
    for (int i = 0; i < hq::kServoCurveCount; ++i) {
        if (curveRadios_[static_cast<std::size_t>(i)]->isChecked()) {
            return i + 1;
        }
    }
    return 0;
}

void ServoCurvePanel::selectCurve(int curve) {
    if (curve >= 1 && curve <= hq::kServoCurveCount) {
        curveRadios_[static_cast<std::size_t>(curve - 1)]->setChecked(true);
    }
}

hq::CurveBlock* ServoCurvePanel::selectedBlock() {
    const int curve = selectedCurve();
    return curve == 0 ? nullptr : &copy_.data.curve(curve);
}

void ServoCurvePanel::setAcceptEnabled(bool enabled) {
    acceptButton_->setEnabled(enabled);
}

bool ServoCurvePanel::acceptEnabled() const {
    return acceptButton_->isEnabled();
}

void ServoCurvePanel::showCurve(bool asStored) {
    redraw();
    refreshInfo(false, asStored);
}

void ServoCurvePanel::redraw() {
    std::optional<hq::CurveBlock> shown;
    if (const hq::CurveBlock* block = selectedBlock()) {
        shown = *block;
    }
    curveCanvas_->setCurve(shown);
    relayCanvas_->setCurve(shown);
}

void ServoCurvePanel::curvePointDrawn(int point, int position) {
    applyDrawn([point, position](hq::CurveBlock& block) { hq::setPointPosition(block, point, position); });
}

void ServoCurvePanel::relayPointDrawn(int point, int on) {
    applyDrawn([point, on](hq::CurveBlock& block) { hq::setPointRelay(block, point, on != 0); });
}

void ServoCurvePanel::applyDrawn(const std::function<void(hq::CurveBlock&)>& edit) {
    hq::CurveBlock* block = selectedBlock();
    if (block == nullptr) {
        return;
    }
    const hq::CurveBlock before = *block;
    edit(*block);
    if (*block != before) {
        redraw();
        emit strokeDrawn();
    }
}

void ServoCurvePanel::refreshInfo(bool keepEdits, bool asStored) {
    const int curve = selectedCurve();
    for (int i = 0; i < hq::kServoCurveCount; ++i) {
        copyButtons_[static_cast<std::size_t>(i)]->setEnabled(i + 1 != curve);
    }
    const hq::CurveBlock* block = selectedBlock();
    if (block == nullptr) {
        return;
    }
    if (!keepEdits) {
        // Showing the stored values is no edit.
        showStored(countEdit_, (*block)[hq::kCurveCountEntry], hq::parsePointCount, asStored);
        showStored(stretchEdit_, (*block)[hq::kCurveStretchEntry], hq::parseStretch, asStored);
    }
    const int stretch = (*block)[hq::kCurveStretchEntry];
    intervalLabel_->setText(qs(hq::pointIntervalText(stretch)));
    durationLabel_->setText(qs(hq::curveDurationText(hq::clampedPointCount(*block), stretch)));
}

void ServoCurvePanel::markEdited(const QString& text, int mergeKey) {
    emit edited(text, mergeKey);
}

void ServoCurvePanel::markCurves(const std::array<bool, hq::kServoCurveCount>& changed) {
    for (int i = 0; i < hq::kServoCurveCount; ++i) {
        setChangeMark(curveRadios_[static_cast<std::size_t>(i)], changed[static_cast<std::size_t>(i)],
                      QString());
    }
}

void ServoCurvePanel::servo_rad_a1Click() {
    if (busy_) {
        return;
    }
    showCurve(true);
}

void ServoCurvePanel::servo_edt_AnzahlChange() {
    storeCurveSetting(hq::parsePointCount(countEdit_->text().toStdString()), hq::kCurveCountEntry,
                      QStringLiteral("Anzahl von Kurve %1").arg(selectedCurve()), kCurveCountEntry);
}

void ServoCurvePanel::servo_edt_stretchChange() {
    storeCurveSetting(hq::parseStretch(stretchEdit_->text().toStdString()), hq::kCurveStretchEntry,
                      QStringLiteral("Stretch von Kurve %1").arg(selectedCurve()), kCurveStretchEntry);
}

void ServoCurvePanel::storeCurveSetting(const hq::Result<int>& value, int entry, const QString& text,
                                        int mergeKey) {
    if (!value) {
        warningOk(this, qs(value.message()));
        return;
    }
    if (hq::CurveBlock* block = selectedBlock()) {
        (*block)[entry] = *value;
    }
    redraw();
    if (!busy_) {
        refreshInfo(true);
    }
    markEdited(text, mergeKey);
}

void ServoCurvePanel::generate(hq::CurveShape shape, const QString& text) {
    if (hq::CurveBlock* block = selectedBlock()) {
        hq::generateCurve(*block, shape);
    }
    redraw();
    markEdited(text.arg(selectedCurve()));
}

void ServoCurvePanel::servo_btn_LinClick() {
    generate(hq::CurveShape::Linear, QStringLiteral("Kurve %1: Lin"));
}

void ServoCurvePanel::servo_btn_LogClick() {
    generate(hq::CurveShape::Logarithmic, QStringLiteral("Kurve %1: Log"));
}

void ServoCurvePanel::servo_btn_SinClick() {
    generate(hq::CurveShape::QuarterSine, QStringLiteral("Kurve %1: 1/4 Sin"));
}

void ServoCurvePanel::servo_btn_sin2Click() {
    generate(hq::CurveShape::HalfSine, QStringLiteral("Kurve %1: 1/2 Sin"));
}

void ServoCurvePanel::servo_btn_MirrorVertikalClick() {
    if (hq::CurveBlock* block = selectedBlock()) {
        hq::mirrorVertical(*block);
    }
    redraw();
    markEdited(QStringLiteral("Kurve %1 vertikal gespiegelt").arg(selectedCurve()));
}

void ServoCurvePanel::servo_btn_MirrorHorizontalClick() {
    if (hq::CurveBlock* block = selectedBlock()) {
        hq::mirrorHorizontal(*block);
    }
    redraw();
    markEdited(QStringLiteral("Kurve %1 horizontal gespiegelt").arg(selectedCurve()));
}

void ServoCurvePanel::servo_btn_copyClick(int from) {
    hq::CurveBlock* block = selectedBlock();
    if (block == nullptr || from == selectedCurve()) {
        return;
    }
    hq::copyCurveBlock(copy_.data.curve(from), *block);
    showCurve(true);
    markEdited(QStringLiteral("Kurve %1 von #%2 kopiert").arg(selectedCurve()).arg(from));
}

void ServoCurvePanel::servo_save_1Click() {
    const hq::CurveBlock* block = selectedBlock();
    if (block == nullptr) {
        return;
    }
    const QString path =
        Dialogs::instance().saveFileName(this, kCurveFilter, QStringLiteral("cur"), QString());
    if (path.isEmpty()) {
        return;
    }
    const hq::Status written = hq::writeFileReplacing(localPath(path), hq::formatCurveFile(*block));
    if (!written) {
        warningOk(this, qs(written.message()));
    }
}

void ServoCurvePanel::servo_load_xClick() {
    const QString path = Dialogs::instance().openFileName(this, kCurveFilter);
    if (path.isEmpty()) {
        return;
    }
    const hq::Result<std::string> text = hq::readTextFile(localPath(path));
    if (!text) {
        warningOk(this, qs(text.message()));
        return;
    }
    if (hq::curveFileTooLong(*text)) {
        warningOk(this, QString::fromUtf8(hq::kCurveFileTooLongMessage));
    }
    const hq::Result<std::vector<int>> points = hq::parseCurveFile(*text);
    if (!points) {
        warningOk(this, qs(points.message()));
        return;
    }
    hq::CurveBlock* block = selectedBlock();
    if (block == nullptr || points->empty()) {
        return;
    }
    hq::applyCurvePoints(*block, *points);
    showCurve(true);
    markEdited(QStringLiteral("Kurve %1 geladen").arg(selectedCurve()));
}

void ServoCurvePanel::servo_save_allClick() {
    const QString path = Dialogs::instance().saveFileName(this, kSetFilter, QStringLiteral("set"), QString());
    if (path.isEmpty()) {
        return;
    }
    const hq::Status written = hq::writeFileReplacing(localPath(path), hq::formatCurveSetFile(copy_.data));
    if (!written) {
        warningOk(this, qs(written.message()));
    }
}

void ServoCurvePanel::servo_load_allClick() {
    const QString path = Dialogs::instance().openFileName(this, kSetFilter);
    if (path.isEmpty()) {
        return;
    }
    const hq::Result<std::string> text = hq::readTextFile(localPath(path));
    if (!text) {
        warningOk(this, qs(text.message()));
        return;
    }
    const hq::Result<hq::ServoData> loaded = hq::parseCurveSetFile(*text);
    if (!loaded) {
        warningOk(this, qs(loaded.message()));
        return;
    }
    copy_.data = *loaded;
    showCurve(true);
    markEdited(QStringLiteral("Alle Kurven geladen"));
}
