#include "ServoCurvePanel.h"

#include "GuardNotice.h"

#include "CurveCopyRow.h"
#include "CurveFileRow.h"
#include "CurveSelectionRow.h"
#include "CurveShapeRow.h"
#include "NumberField.h"
#include "QtText.h"
#include "ServoCurveCanvas.h"
#include "ServoRelayCanvas.h"
#include "document/ServoEdits.h"
#include "servo/CurveSettings.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// A time of the selected curve: as wide as the longest time a curve can have, so that the panel
// keeps its size whatever curve is shown.
class TimeLabel : public QLabel {
public:
    TimeLabel(const char* name, std::string longest, QWidget* parent)
        : QLabel(parent), longest_(QString::fromStdString(longest)) {
        setObjectName(QString::fromLatin1(name));
    }

    QSize sizeHint() const override {
        const QSize shown = QLabel::sizeHint();
        const int room = shown.width() - fontMetrics().horizontalAdvance(text());
        return {std::max(shown.width(), fontMetrics().horizontalAdvance(longest_) + room), shown.height()};
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

private:
    QString longest_;
};

// The largest byte a file can hold for a count or a stretch.
constexpr int kLargestByte = 255;

} // namespace

ServoCurvePanel::ServoCurvePanel(QWidget* parent)
    : QFrame(parent), curveCanvas_(new ServoCurveCanvas(this)), relayCanvas_(new ServoRelayCanvas(this)),
      guard_(new GuardNotice(this)), selection_(new CurveSelectionRow(this)),
      copying_(new CurveCopyRow(this)),
      interval_(new TimeLabel("lbl_KurveInfo1", hq::pointIntervalText(kLargestByte), this)),
      duration_(
          new TimeLabel("lbl_KurveInfo2", hq::curveDurationText(hq::kMaxCurvePoints, kLargestByte), this)),
      shapes_(new CurveShapeRow(this)), files_(new CurveFileRow(this)) {
    setObjectName(QStringLiteral("pnl_servo"));
    setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    curveCanvas_->setToolTip(QStringLiteral(
        "Klicken oder mit gedrückter linker Maustaste ziehen: der Kurven-Punkt unter der Maus geht auf "
        "ihre Höhe (unten 0, oben 127).\nDie Punkte folgen einander im Abstand \"Zeit zwischen 2 Punkten\" "
        "(20 ms × Stretch)."));
    relayCanvas_->setToolTip(QStringLiteral(
        "Rote Leiste: an diesen Punkten der Kurve ist das Relais angezogen.\nKlicken oder ziehen in der "
        "oberen Hälfte schaltet es an den Punkten ein, in der unteren aus."));
    buildLayout();
    connectRows();
    connectCanvases();
    showSelected(true);
}

void ServoCurvePanel::buildLayout() {
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(10, 6, 10, 6);
    root->setSpacing(4);
    root->addWidget(guard_);
    root->addWidget(curveCanvas_);
    root->addWidget(relayCanvas_);
    root->addWidget(selection_);
    root->addWidget(copying_);
    auto* times = new QHBoxLayout;
    times->addWidget(interval_);
    times->addSpacing(16);
    times->addWidget(duration_);
    times->addStretch();
    root->addLayout(times);
    root->addWidget(shapes_);
    root->addWidget(files_);
    // The keyboard's way through the panel as it has always been: the fields and the take-over
    // buttons first, then the curves, the copies, the generators and the files.
    const QList<QWidget*> order{selection_->countField(), selection_->stretchField(),
                                copying_->acceptButton(), copying_->discardButton(),
                                selection_->radio(1),     selection_->radio(2),
                                selection_->radio(3),     selection_->radio(4)};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void ServoCurvePanel::connectRows() {
    connect(selection_, &CurveSelectionRow::curveSelected, this, [this](int curve) {
        showSelected(true);
        emit curveSelected(curve);
    });
    connect(selection_, &CurveSelectionRow::countEdited, this, [this](const hq::FieldValue& value) {
        if (edits_ != nullptr)
            edits_->setCount(selectedCurve(), value);
    });
    connect(selection_, &CurveSelectionRow::stretchEdited, this, [this](const hq::FieldValue& value) {
        if (edits_ != nullptr)
            edits_->setStretch(selectedCurve(), value);
    });
    connect(selection_, &CurveSelectionRow::entryFinished, this, [this] {
        if (edits_ != nullptr)
            edits_->finishEntry();
    });
    connect(copying_, &CurveCopyRow::copyRequested, this, [this](int from) {
        if (edits_ != nullptr)
            edits_->copyCurve(from, selectedCurve());
    });
    connect(copying_, &CurveCopyRow::acceptRequested, this, [this] {
        if (edits_ != nullptr)
            edits_->accept();
    });
    connect(copying_, &CurveCopyRow::discardRequested, this, [this] {
        if (edits_ != nullptr)
            edits_->discard();
    });
    connect(shapes_, &CurveShapeRow::shapeRequested, this, [this](hq::CurveShape shape) {
        if (edits_ != nullptr)
            edits_->generate(selectedCurve(), shape);
    });
    connect(shapes_, &CurveShapeRow::mirrorRequested, this, [this](ServoEdits::Mirror mirror) {
        if (edits_ != nullptr)
            edits_->mirror(selectedCurve(), mirror);
    });
}

void ServoCurvePanel::connectCanvases() {
    // A stroke is drawn into the curve its canvas shows and named after the drawing.
    auto follow = [this](ServoCanvas* canvas, ServoEdits::Track track) {
        connect(canvas, &StrokeCanvas::strokeStarted, this, [this, canvas, track] {
            if (edits_ != nullptr)
                edits_->beginStroke(canvas->curve(), track);
        });
        connect(canvas, &StrokeCanvas::strokeFinished, this, [this] {
            if (edits_ != nullptr)
                edits_->endStroke();
        });
    };
    follow(curveCanvas_, ServoEdits::Track::Positions);
    follow(relayCanvas_, ServoEdits::Track::Relay);
    connect(curveCanvas_, &StrokeCanvas::pointDrawn, this, [this](int point, int position) {
        if (edits_ != nullptr)
            edits_->setPosition(curveCanvas_->curve(), point, position);
    });
    connect(relayCanvas_, &StrokeCanvas::pointDrawn, this, [this](int point, int on) {
        if (edits_ != nullptr)
            edits_->setRelay(relayCanvas_->curve(), point, on != 0);
    });
}

void ServoCurvePanel::setEdits(ServoEdits* edits) {
    edits_ = edits;
    files_->setEdits(edits);
    showSelected(true);
    markCurves();
    copying_->setAcceptEnabled(edits_ != nullptr && edits_->hasPendingChanges());
}

int ServoCurvePanel::selectedCurve() const {
    return selection_->selectedCurve();
}

void ServoCurvePanel::selectCurve(int curve) {
    selection_->selectCurve(curve);
}

void ServoCurvePanel::showSelected(bool asStored) {
    const int curve = selectedCurve();
    const ServoEdits* shown = edits_ != nullptr && edits_->hasCurves() ? edits_ : nullptr;
    curveCanvas_->showCurve(shown, curve);
    relayCanvas_->showCurve(shown, curve);
    copying_->showSelected(curve);
    files_->showSelected(curve);
    showFieldsAndTimes(asStored);
}

void ServoCurvePanel::showFieldsAndTimes(bool asStored) {
    if (edits_ == nullptr || !edits_->hasCurves())
        return;
    const int curve = selectedCurve();
    const int stretch = edits_->stretch(curve);
    selection_->showStored(edits_->storedCount(curve), stretch, asStored);
    const QString interval = qs(hq::pointIntervalText(stretch));
    const QString duration = qs(hq::curveDurationText(edits_->pointCount(curve), stretch));
    if (interval_->text() != interval)
        interval_->setText(interval);
    if (duration_->text() != duration)
        duration_->setText(duration);
}

void ServoCurvePanel::markCurves() {
    for (int curve = 1; curve <= CurveSelectionRow::kCurveCount; ++curve)
        selection_->markCurve(curve, edits_ != nullptr && edits_->hasCurves() &&
                                         edits_->curveDiffersFromFile(curve));
}

void ServoCurvePanel::showChange(const DocumentChange& change) {
    if (edits_ == nullptr)
        return;
    const int curve = selectedCurve();
    const DocumentChange::PointSpan points = change.touchedPoints(curve);
    if (points.positions)
        curveCanvas_->showPoints(points);
    if (points.relays)
        relayCanvas_->showPoints(points);
    // Count and stretch change the times and the whole drawing; a drawn point neither.
    if (points.isWholeCurve())
        showFieldsAndTimes(false);
    if (change.touches(DocumentChange::Area::Baseline)) {
        markCurves();
    } else {
        for (int n = 1; n <= CurveSelectionRow::kCurveCount; ++n) {
            if (change.touchesCurve(n))
                selection_->markCurve(n, edits_->curveDiffersFromFile(n));
        }
    }
    if (change.touchesPending())
        copying_->setAcceptEnabled(edits_->hasPendingChanges());
}

void ServoCurvePanel::setPlayCursor(int point) {
    curveCanvas_->setPlayCursor(point);
    relayCanvas_->setPlayCursor(point);
}

void ServoCurvePanel::showGuardedBlocks(const std::vector<hq::GuardedBlock>& blocks) {
    guard_->showBlocks(blocks);
    const bool editable = !guard_->guards();
    for (QWidget* input :
         std::initializer_list<QWidget*>{curveCanvas_, relayCanvas_, selection_->countField(),
                                         selection_->stretchField(), shapes_, files_})
        input->setEnabled(editable);
    copying_->setCopiesAllowed(editable);
}
