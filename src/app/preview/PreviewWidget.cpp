// The shared play logic of the previews and the drawing area that paints their frames.

#include "preview/PreviewWidget.h"

#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kPlayCaption = QStringLiteral("▶ Vorschau");
const QString kPauseCaption = QStringLiteral("❚❚ Pause");

// The drawing area: it asks its preview for the frame, so the preview keeps all state.
class PreviewView : public QWidget {
public:
    PreviewView(const PreviewWidget& preview, QSize size, QWidget* parent)
        : QWidget(parent), preview_(preview) {
        setObjectName(QStringLiteral("preview_view"));
        setFixedSize(size);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        preview_.paintFrame(painter, QRectF(rect()));
    }

private:
    const PreviewWidget& preview_;
};

} // namespace

PreviewWidget::PreviewWidget(QSize drawingSize, const QString& toolTip, QWidget* parent)
    : QWidget(parent), clock_(steadyPreviewClock()), view_(new PreviewView(*this, drawingSize, this)),
      button_(new QPushButton(kPlayCaption, this)) {
    button_->setObjectName(QStringLiteral("btn_preview"));
    button_->setToolTip(toolTip);
    button_->setEnabled(false);
    connect(button_, &QPushButton::clicked, this, &PreviewWidget::toggle);

    timer_.setInterval(kFrameIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &PreviewWidget::refresh);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(view_);
    layout->addWidget(button_, 0, Qt::AlignLeft);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void PreviewWidget::setClock(PreviewClock clock) {
    // A running preview keeps its place only on one clock; a new clock starts afresh.
    player_.stop();
    clock_ = std::move(clock);
    refresh();
}

bool PreviewWidget::isPlaying() const {
    return player_.needsFrames(clock_());
}

void PreviewWidget::toggle() {
    if (isPlaying())
        pause();
    else
        start();
}

void PreviewWidget::start() {
    if (!hasSource())
        return;
    const hq::Milliseconds now = clock_();
    // The length decides whether a running preview has finished and starts again.
    player_.setLength(playLength());
    player_.start(now);
    refresh();
}

void PreviewWidget::pause() {
    player_.pause(clock_());
    refresh();
}

void PreviewWidget::stop() {
    player_.stop();
    refresh();
}

void PreviewWidget::refresh() {
    const hq::Milliseconds now = clock_();
    const bool playable = hasSource();
    if (!playable)
        player_.stop();
    // Count, stretch or loop may have been edited since the last frame.
    player_.setLength(playable ? playLength() : std::nullopt);
    if (player_.state() == hq::PreviewPlayer::State::Stopped)
        takeFrame(std::nullopt);
    else
        takeFrame(player_.elapsed(now));
    button_->setEnabled(playable);
    followPlayer(now);
    if (frameChanged())
        view_->update();
}

void PreviewWidget::followPlayer(hq::Milliseconds now) {
    const bool frames = player_.needsFrames(now);
    if (frames && !timer_.isActive())
        timer_.start();
    else if (!frames)
        timer_.stop();
    button_->setText(frames ? kPauseCaption : kPlayCaption);
}

void PreviewWidget::hideEvent(QHideEvent* event) {
    // Nobody sees it play: stop, so that no timer runs for a hidden panel.
    stop();
    QWidget::hideEvent(event);
}
