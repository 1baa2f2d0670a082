#pragma once
// The mark of a value that differs from the file: a small corner flag drawn over the control and a
// bold text (unless the bold caption of a control placed by hand would be cut off), never a
// background colour (the address fields' colours mean red and green), and a tooltip line with the
// value the file holds. Tests read the mark through `hasChangeMark`.

#include <QString>

class QWidget;

// Marks or unmarks `widget`. Its tooltip is its hint, followed while it is marked by
// "In der Datei: <fileValue>" ("Geändert gegenüber der Datei" for an empty `fileValue`: a whole curve
// or pattern has no one value to name).
void setChangeMark(QWidget* widget, bool changed, const QString& fileValue);

// The widget's hint, the tooltip without the mark's line (taken from its tooltip until it is set).
void setHint(QWidget* widget, const QString& hint);
QString hintOf(const QWidget* widget);

bool hasChangeMark(const QWidget* widget);

// A line for the tooltip of a field whose value cannot stay ("Erlaubt sind nur Zahlen von 1 bis 320.");
// empty removes it.
void setRangeProblem(QWidget* widget, const QString& problem);
QString rangeProblemOf(const QWidget* widget);
