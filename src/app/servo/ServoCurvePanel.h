#pragma once
// pnl_servo: the curve editor of the servo firmware. The selected curve's drawing and relay track,
// the row that selects the curve with its point count and stretch, the copy row with "übernehmen" and
// "verwerfen", the curve's times, the generators and mirrors, and the curve files, top to bottom. It
// shows the document's working copy through the servo edits and changes it only through them; a
// document change repaints only what it names.

#include "document/DocumentChange.h"

#include "encode/TableGuard.h"

#include <QFrame>

#include <vector>

class CurveCopyRow;
class CurveFileRow;
class CurveSelectionRow;
class GuardNotice;
class CurveShapeRow;
class QLabel;
class ServoCurveCanvas;
class ServoEdits;
class ServoRelayCanvas;

class ServoCurvePanel : public QFrame {
    Q_OBJECT
public:
    explicit ServoCurvePanel(QWidget* parent = nullptr);

    // The curves shown and changed; null shows nothing. What the fields held before was typed for
    // another firmware: they show the stored values.
    void setEdits(ServoEdits* edits);
    // The selected curve 1..4.
    int selectedCurve() const;
    void selectCurve(int curve);
    // Shows what `change` touched: the selected curve's drawings around the points it names, its
    // fields and times, the marks of the curves and whether there is something to take over.
    void showChange(const DocumentChange& change);
    // The point a preview shows, as a band on both drawings; -1 for none.
    void setPlayCursor(int point);
    // Curve blocks that hold code are only shown: the notice names them, and the drawings, fields,
    // generators, copies and file loads take no input; the curve choice still does.
    void showGuardedBlocks(const std::vector<hq::GuardedBlock>& blocks);

    ServoCurveCanvas* curveCanvas() const { return curveCanvas_; }
    ServoRelayCanvas* relayCanvas() const { return relayCanvas_; }

signals:
    void curveSelected(int curve);

private:
    void buildLayout();
    void connectRows();
    void connectCanvases();
    // Everything about the selected curve; the fields show the stored values when `asStored`.
    void showSelected(bool asStored);
    void showFieldsAndTimes(bool asStored);
    void markCurves();

    ServoEdits* edits_ = nullptr;
    ServoCurveCanvas* curveCanvas_;
    ServoRelayCanvas* relayCanvas_;
    GuardNotice* guard_;
    CurveSelectionRow* selection_;
    CurveCopyRow* copying_;
    QLabel* interval_;
    QLabel* duration_;
    CurveShapeRow* shapes_;
    CurveFileRow* files_;
};
