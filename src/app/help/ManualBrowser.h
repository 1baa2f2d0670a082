#pragma once
// The text browser of the manual window. Qt's text browser scales pictures without smoothing, so a
// screenshot shrunk to fit the page turns unreadable; this one shrinks wide pictures itself, smoothly
// and for the screen's pixel ratio, to the width of a page of text, and the browser then draws them
// at their size.

#include <QTextBrowser>

class ManualBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit ManualBrowser(QWidget* parent = nullptr);

    // The widest a picture is shown, in the widget's pixels: about 90 characters of its font.
    int pictureWidth() const;

    QVariant loadResource(int type, const QUrl& name) override;
};
