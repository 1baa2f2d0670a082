// The plan is the core's: this dialog only gathers the request and shows what planSeries says.
// Every change of a field plans again (coalesced into one plan per pass of the event loop).

#include "layout/SeriesDialog.h"

#include "Dialogs.h"
#include "LayoutJson.h"
#include "QtText.h"
#include "layout/LayoutAnalysis.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <filesystem>

namespace series_dialog {
namespace {

// Refusals beyond this many are counted, not listed (the command line does the same).
constexpr int kListedRefusals = 30;

// "weiche-03" proposes "weiche": a copy of a series is the usual template of the next one. Where
// that series is there already, "weiche2", "weiche3", … so the proposal is never refused for it.
QString proposedName(const QString& path, const QString& folder) {
    QString stem = QFileInfo(path).completeBaseName();
    stem.remove(QRegularExpression(QStringLiteral("-\\d+$")));
    if (stem.isEmpty())
        stem = QStringLiteral("dekoder");
    const QDir root(folder);
    QString name = stem;
    for (int n = 2; QFileInfo::exists(root.filePath(name + QStringLiteral("-01.hex"))) && n < 100; ++n)
        name = stem + QString::number(n);
    return name;
}

} // namespace
} // namespace series_dialog

SeriesDialog::SeriesDialog(const QString& folder, SnapshotPtr layout, const QString& preferred,
                           QWidget* parent)
    : QDialog(parent), folder_(folder), layout_(layout ? std::move(layout) : emptySnapshot()),
      template_(new QComboBox(this)), templateFile_(new QPushButton(QStringLiteral("Andere Datei…"), this)),
      name_(new QLineEdit(this)), count_(new QSpinBox(this)), first_(new QSpinBox(this)),
      stride_(new QSpinBox(this)), force_(new QCheckBox(QStringLiteral("Vorhandene Dateien ersetzen"), this)),
      summary_(new QLabel(this)), preview_(new QTableWidget(this)), refusals_(new QLabel(this)),
      create_(new QPushButton(QStringLiteral("Erzeugen"), this)) {
    setObjectName(QStringLiteral("SeriesDialog"));
    setWindowTitle(QStringLiteral("Serie erzeugen"));

    template_->setObjectName(QStringLiteral("seriesTemplate"));
    template_->setToolTip(QStringLiteral("Der Dekoder, dessen Einstellungen jede Kopie bekommt"));
    templateFile_->setObjectName(QStringLiteral("seriesTemplateFile"));
    templateFile_->setToolTip(QStringLiteral("Eine HEX-Datei außerhalb der Anlage als Vorlage wählen"));
    name_->setObjectName(QStringLiteral("seriesName"));
    name_->setToolTip(QStringLiteral("Die Dateien heißen NAME-01.hex, NAME-02.hex, …"));
    count_->setObjectName(QStringLiteral("seriesCount"));
    count_->setRange(1, hq::kMaxSeriesCount);
    count_->setValue(4);
    count_->setToolTip(QStringLiteral("Anzahl der Dekoder (1 bis %1)").arg(hq::kMaxSeriesCount));
    first_->setObjectName(QStringLiteral("seriesFirst"));
    first_->setRange(0, hq::highestAddress(hq::Protocol::DCC, hq::AddressSpace::Vehicle));
    first_->setSpecialValueText(QStringLiteral("wie Vorlage"));
    first_->setToolTip(QStringLiteral("Die kleinste Adresse der ersten Kopie; vorgeschlagen wird die erste "
                                      "Adresse nach allen, die die Anlage benutzt"));
    stride_->setObjectName(QStringLiteral("seriesStride"));
    stride_->setRange(0, hq::highestAddress(hq::Protocol::DCC, hq::AddressSpace::Vehicle));
    stride_->setSpecialValueText(QStringLiteral("Spanne der Vorlage"));
    stride_->setToolTip(QStringLiteral("Abstand der Adressen von Kopie zu Kopie; ohne Angabe die Spanne der "
                                       "Adressen der Vorlage (vier Ausgänge: 1–4, 5–8, 9–12 …)"));
    force_->setObjectName(QStringLiteral("seriesForce"));
    summary_->setObjectName(QStringLiteral("seriesSummary"));
    summary_->setWordWrap(true);
    preview_->setObjectName(QStringLiteral("seriesPreview"));
    preview_->setColumnCount(3);
    preview_->setHorizontalHeaderLabels({QStringLiteral("Datei"), QStringLiteral("Adressen"), QString()});
    preview_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    preview_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    preview_->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    preview_->verticalHeader()->hide();
    preview_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    preview_->setSelectionMode(QAbstractItemView::NoSelection);
    refusals_->setObjectName(QStringLiteral("seriesRefusals"));
    refusals_->setWordWrap(true);
    refusals_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    create_->setObjectName(QStringLiteral("seriesCreate"));
    create_->setDefault(true);

    auto* templateRow = new QHBoxLayout;
    templateRow->addWidget(template_, 1);
    templateRow->addWidget(templateFile_);
    auto* form = new QFormLayout;
    auto* templateLabel = new QLabel(QStringLiteral("&Vorlage:"), this);
    templateLabel->setBuddy(template_);
    form->addRow(templateLabel, templateRow);
    form->addRow(QStringLiteral("&Name:"), name_);
    form->addRow(QStringLiteral("&Anzahl:"), count_);
    form->addRow(QStringLiteral("&Erste Adresse:"), first_);
    form->addRow(QStringLiteral("A&bstand:"), stride_);
    form->addRow(QString(), force_);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(create_, QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("seriesCancel"));
    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(summary_);
    column->addWidget(preview_, 1);
    column->addWidget(refusals_);
    column->addWidget(buttons);
    // Room for the preview of a dozen copies, from the font in use.
    const QFontMetrics metrics = fontMetrics();
    resize(metrics.averageCharWidth() * 90, metrics.lineSpacing() * 32);

    connect(template_, &QComboBox::currentIndexChanged, this, &SeriesDialog::templateChosen);
    connect(templateFile_, &QPushButton::clicked, this, &SeriesDialog::chooseTemplateFile);
    connect(name_, &QLineEdit::textEdited, this, [this] {
        nameTouched_ = true;
        scheduleReplan();
    });
    for (QSpinBox* box : {count_, first_, stride_})
        connect(box, &QSpinBox::valueChanged, this, &SeriesDialog::scheduleReplan);
    connect(force_, &QCheckBox::toggled, this, &SeriesDialog::scheduleReplan);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (create())
            accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    fillTemplates(preferred);
}

void SeriesDialog::fillTemplates(const QString& preferred) {
    const QSignalBlocker blocker(template_);
    const QDir root(folder_);
    int chosen = -1;
    for (const hq::LayoutDecoder& decoder : layout_->scan().decoders) {
        if (decoder.protocol == hq::Protocol::None)
            continue; // a firmware without protocol has no addresses to move
        QString text = qs(decoder.file);
        if (!decoder.name.empty())
            text += QStringLiteral(" – ") + qs(decoder.name);
        if (qs(decoder.file) == preferred)
            chosen = template_->count();
        template_->addItem(text, root.absoluteFilePath(qs(decoder.file)));
    }
    if (template_->count() > 0)
        template_->setCurrentIndex(chosen >= 0 ? chosen : 0);
    templateChosen();
}

void SeriesDialog::addTemplateFile(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    int index = template_->findData(absolute);
    if (index < 0) {
        template_->addItem(QDir::toNativeSeparators(absolute), absolute);
        index = template_->count() - 1;
    }
    if (index == template_->currentIndex())
        templateChosen();
    else
        template_->setCurrentIndex(index);
}

void SeriesDialog::chooseTemplateFile() {
    const QString path = Dialogs::instance().openFileName(this, hexFileFilter());
    if (!path.isEmpty())
        addTemplateFile(path);
}

void SeriesDialog::templateChosen() {
    templateFirmware_.reset();
    templateProblem_.clear();
    const QString path = template_->currentData().toString();
    if (path.isEmpty()) {
        templateProblem_ =
            QStringLiteral("Die Anlage hat keinen Dekoder als Vorlage; „Andere Datei…“ wählt eine.");
    } else {
        hq::Result<hq::Firmware> loaded = hq::loadFirmwareFile(localPath(path));
        if (loaded)
            templateFirmware_ = std::move(*loaded);
        else
            templateProblem_ = qs(loaded.message());
    }
    if (!nameTouched_ && !path.isEmpty()) {
        const QSignalBlocker blocker(name_);
        name_->setText(series_dialog::proposedName(path, folder_));
    }
    {
        const QSignalBlocker blocker(first_);
        first_->setValue(proposedFirst());
    }
    replan();
}

int SeriesDialog::proposedFirst() const {
    if (!templateFirmware_ || templateFirmware_->recognition.protocol == hq::Protocol::None)
        return 0;
    const hq::Protocol protocol = templateFirmware_->recognition.protocol;
    const hq::AddressSpace space = templateFirmware_->recognition.type == hq::DecoderType::Fahrzeug
                                       ? hq::AddressSpace::Vehicle
                                       : hq::AddressSpace::Accessory;
    int highest = 0;
    for (const hq::AddressEntry& entry : layout_->scan().addresses) {
        if (entry.protocol == protocol && entry.space == space)
            highest = std::max(highest, entry.address);
    }
    const int next = highest + 1;
    return highest == 0 || next > hq::highestAddress(protocol, space) ? 0 : next;
}

void SeriesDialog::setLayoutSnapshot(SnapshotPtr layout) {
    layout_ = layout ? std::move(layout) : emptySnapshot();
    scheduleReplan();
}

void SeriesDialog::scheduleReplan() {
    if (replanScheduled_)
        return;
    replanScheduled_ = true;
    QTimer::singleShot(0, this, [this] {
        if (replanScheduled_)
            replan();
    });
}

void SeriesDialog::replan() {
    replanScheduled_ = false;
    plan_.reset();
    if (!templateFirmware_) {
        showPlan(templateProblem_);
        return;
    }
    hq::SeriesRequest request;
    request.name = name_->text().toStdString();
    request.count = count_->value();
    if (first_->value() > 0)
        request.first = first_->value();
    if (stride_->value() > 0)
        request.stride = stride_->value();
    request.force = force_->isChecked();
    std::error_code error;
    const auto status = std::filesystem::status(localPath(template_->currentData().toString()), error);
    if (!error)
        request.permissions = status.permissions();
    hq::Result<hq::LayoutNotes> notes = hq::readLayoutNotes(localPath(folder_));
    hq::Result<hq::SeriesPlan> plan = hq::planSeries(*templateFirmware_, request, localPath(folder_),
                                                     layout_->scan(), notes ? *notes : hq::LayoutNotes{});
    if (!plan) {
        showPlan(qs(plan.message()));
        return;
    }
    plan_ = std::move(*plan);
    showPlan({});
}

void SeriesDialog::showPlan(const QString& refusal) {
    preview_->setRowCount(0);
    QStringList lines;
    if (!refusal.isEmpty())
        lines.append(refusal);
    if (plan_) {
        preview_->setRowCount(static_cast<int>(plan_->copies.size()));
        int row = 0;
        for (const hq::SeriesCopy& copy : plan_->copies) {
            preview_->setItem(row, 0, new QTableWidgetItem(qs(copy.file)));
            preview_->setItem(row, 1, new QTableWidgetItem(qs(hq::runsText(copy.addresses()))));
            preview_->setItem(row, 2,
                              new QTableWidgetItem(copy.replaces ? QStringLiteral("ersetzt") : QString()));
            ++row;
        }
        const int files = static_cast<int>(plan_->copies.size());
        summary_->setText(
            QStringLiteral("%1 nach %2, Abstand %3")
                .arg(files == 1 ? QStringLiteral("1 Datei") : QStringLiteral("%1 Dateien").arg(files),
                     QDir::toNativeSeparators(folder_))
                .arg(plan_->stride));
        const int listed = std::min(static_cast<int>(plan_->refusals.size()), series_dialog::kListedRefusals);
        for (int i = 0; i < listed; ++i)
            lines.append(qs(plan_->refusals[static_cast<std::size_t>(i)]));
        if (static_cast<int>(plan_->refusals.size()) > listed)
            lines.append(QStringLiteral("… und %1 weitere").arg(plan_->refusals.size() - listed));
        if (!plan_->refusals.empty() && !force_->isChecked()) {
            for (const hq::SeriesCopy& copy : plan_->copies) {
                if (QFileInfo::exists(QDir(folder_).absoluteFilePath(qs(copy.file)))) {
                    lines.append(QStringLiteral(
                        "Mit „Vorhandene Dateien ersetzen“ werden vorhandene Dateien ersetzt."));
                    break;
                }
            }
        }
    } else {
        summary_->clear();
    }
    const bool ok = plan_ && plan_->ok();
    QString text;
    if (!lines.isEmpty())
        text = QStringLiteral("Die Serie wird nicht geschrieben:\n• ") + lines.join(QStringLiteral("\n• "));
    if (plan_) {
        for (const std::string& note : plan_->notes)
            text +=
                (text.isEmpty() ? QString() : QStringLiteral("\n")) + QStringLiteral("Hinweis: ") + qs(note);
    }
    refusals_->setText(text);
    refusals_->setStyleSheet(ok ? QString() : QStringLiteral("color: #a01010;"));
    create_->setEnabled(ok);
}

bool SeriesDialog::create() {
    replan();
    if (!plan_ || !plan_->ok())
        return false;
    hq::Result<std::vector<std::string>> written = hq::writeSeries(*plan_);
    if (!written) {
        warningOk(this, qs(written.message()));
        replan();
        return false;
    }
    QStringList files;
    for (const std::string& file : *written)
        files.append(qs(file));
    emit seriesWritten(files);
    return true;
}
