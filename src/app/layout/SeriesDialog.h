#pragma once
// "Serie erzeugen…": decoders made in series from one template, a decoder of the layout or any
// file. Count, first address, stride, name and whether existing files are replaced are chosen; a
// preview lists every file with its addresses and every reason to refuse, in German, before
// anything is written. "Erzeugen" writes the whole series or nothing.

#include "image/Firmware.h"
#include "layout/LayoutSnapshot.h"
#include "layout/SeriesPlan.h"

#include <QDialog>
#include <QStringList>

#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

class SeriesDialog : public QDialog {
    Q_OBJECT
public:
    // `folder` is the layout the series is written into; `preferred` the decoder file (relative to
    // it) to start with as the template, or empty for the first one.
    SeriesDialog(const QString& folder, SnapshotPtr layout, const QString& preferred,
                 QWidget* parent = nullptr);

    // The layout as scanned now: the plan is checked against it again.
    void setLayoutSnapshot(SnapshotPtr layout);
    // Takes `path` (any HEX file) as the template and selects it.
    void addTemplateFile(const QString& path);

    // Works the plan out again from what the dialog shows; the preview follows.
    void replan();
    // The plan the preview shows; empty when the template or the request was refused.
    const std::optional<hq::SeriesPlan>& plan() const { return plan_; }
    // Writes the series of the plan; false (with the message shown) when refused or failed.
    bool create();

    QComboBox* templateBox() const { return template_; }
    QLineEdit* nameEdit() const { return name_; }
    QSpinBox* countBox() const { return count_; }
    QSpinBox* firstBox() const { return first_; }
    QSpinBox* strideBox() const { return stride_; }
    QCheckBox* forceBox() const { return force_; }
    QTableWidget* preview() const { return preview_; }
    QLabel* refusals() const { return refusals_; }
    QPushButton* createButton() const { return create_; }

signals:
    // The files written, relative to the layout folder.
    void seriesWritten(const QStringList& files);

private:
    void fillTemplates(const QString& preferred);
    void templateChosen();
    void chooseTemplateFile();
    void scheduleReplan();
    void showPlan(const QString& refusal);
    // The first address after every one the layout uses in the template's protocol and space.
    int proposedFirst() const;

    QString folder_;
    SnapshotPtr layout_;
    std::optional<hq::Firmware> templateFirmware_;
    QString templateProblem_;
    std::optional<hq::SeriesPlan> plan_;
    bool nameTouched_ = false;
    bool replanScheduled_ = false;

    QComboBox* template_;
    QPushButton* templateFile_;
    QLineEdit* name_;
    QSpinBox* count_;
    QSpinBox* first_;
    QSpinBox* stride_;
    QCheckBox* force_;
    QLabel* summary_;
    QTableWidget* preview_;
    QLabel* refusals_;
    QPushButton* create_;
};
