#pragma once

#include <QLabel>

#include <map>

// A label that wraps its text and remembers the height it needs at each width it was asked for,
// until its text, font or style change: layouts ask a wrapped label for its height many times
// while they settle, and working it out lays the whole text out each time.
class WrappedLabel : public QLabel {
public:
    explicit WrappedLabel(QWidget* parent = nullptr);

    int heightForWidth(int width) const override;

protected:
    void changeEvent(QEvent* event) override;

private:
    mutable QString measuredText_;
    mutable std::map<int, int> heights_;
};
