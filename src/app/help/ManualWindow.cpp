#include "help/ManualWindow.h"

#include "Dialogs.h"
#include "help/ManualBrowser.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QShortcut>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kFolder = QStringLiteral("qrc:/docs/handbuch/");
const QString kTitle = QStringLiteral("Handbuch HEX Quendrabolt");

QToolButton* navigationButton(QWidget* parent, const QString& name, const QString& text,
                              QStyle::StandardPixmap icon, const QKeySequence& keys, const QString& hint) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(text);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    button->setShortcut(keys);
    button->setToolTip(QStringLiteral("%1 (%2)").arg(hint, keys.toString(QKeySequence::NativeText)));
    return button;
}

} // namespace

ManualWindow::ManualWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), browser_(new ManualBrowser(this)),
      contents_(navigationButton(this, QStringLiteral("manual_contents"), QStringLiteral("Inhalt"),
                                 QStyle::SP_DirHomeIcon, QKeySequence(Qt::ALT | Qt::Key_Home),
                                 QStringLiteral("Zum Inhaltsverzeichnis"))),
      back_(navigationButton(this, QStringLiteral("manual_back"), QStringLiteral("Zurück"),
                             QStyle::SP_ArrowBack, QKeySequence(QKeySequence::Back),
                             QStringLiteral("Zur vorigen Seite"))),
      forward_(navigationButton(this, QStringLiteral("manual_forward"), QStringLiteral("Vor"),
                                QStyle::SP_ArrowForward, QKeySequence(QKeySequence::Forward),
                                QStringLiteral("Zur Seite, von der „Zurück“ kam"))) {
    setObjectName(QStringLiteral("ManualWindow"));
    setWindowTitle(kTitle);
    browser_->setObjectName(QStringLiteral("manual_browser"));
    // Links inside the manual stay in the window; a web address goes to the desktop's browser.
    browser_->setOpenLinks(false);

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(0, 0, 0, 0);
    bar->addWidget(contents_);
    bar->addWidget(back_);
    bar->addWidget(forward_);
    bar->addStretch();
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(6, 6, 6, 6);
    root->addLayout(bar);
    root->addWidget(browser_);

    back_->setEnabled(false);
    forward_->setEnabled(false);
    connect(contents_, &QToolButton::clicked, this, [this] { showPage(kStartPage); });
    connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::anchorClicked, this, &ManualWindow::openLink);
    connect(browser_, &QTextBrowser::sourceChanged, this, &ManualWindow::followPage);
    // The keys reach the page first: Tab goes from link to link, Return follows one.
    setFocusProxy(browser_);
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);

    // About 110 characters wide and 44 lines high in the user's font.
    const QFontMetrics metrics = fontMetrics();
    resize(metrics.averageCharWidth() * 110, metrics.lineSpacing() * 44);
}

QUrl ManualWindow::pageUrl(const QString& page) {
    return QUrl(kFolder).resolved(QUrl(page.isEmpty() ? kStartPage : page));
}

void ManualWindow::showPage(const QString& page) {
    browser_->setSource(pageUrl(page));
}

QString ManualWindow::currentPage() const {
    return browser_->source().fileName();
}

void ManualWindow::openLink(const QUrl& url) {
    if (url.scheme() == QStringLiteral("http") || url.scheme() == QStringLiteral("https") ||
        url.scheme() == QStringLiteral("mailto")) {
        Dialogs::instance().openUrl(url);
        return;
    }
    browser_->setSource(url);
}

void ManualWindow::followPage() {
    const QString title = browser_->documentTitle();
    setWindowTitle(title.isEmpty() ? kTitle : title + QStringLiteral(" – ") + kTitle);
}
