#pragma once
// The manual in a window of its own: the German pages of docs/handbuch, compiled into the program as
// a Qt resource, shown in Qt's text browser with "Inhalt", "Zurück" and "Vor". A page can be opened
// at an anchor, so an editor can open the page of its drawing rules ("muster.html#zeichnen").

#include <QUrl>
#include <QWidget>

class QTextBrowser;
class QToolButton;

class ManualWindow : public QWidget {
    Q_OBJECT
public:
    // The page the manual opens with: the contents.
    static inline const QString kStartPage = QStringLiteral("index.html");

    // A window of its own even with a parent; the parent only keeps it (and deletes it with itself).
    explicit ManualWindow(QWidget* parent = nullptr);

    // Shows `page` of the manual ("servo.html", "muster.html#zeichnen"); the start page when empty.
    void showPage(const QString& page);
    // The file name of the page shown ("muster.html"), empty before any page was shown.
    QString currentPage() const;

    QTextBrowser* browser() const { return browser_; }

    // The address of `page` inside the program: "qrc:/docs/handbuch/<page>".
    static QUrl pageUrl(const QString& page);

private:
    void openLink(const QUrl& url);
    void followPage();

    QTextBrowser* browser_;
    QToolButton* contents_;
    QToolButton* back_;
    QToolButton* forward_;
};
