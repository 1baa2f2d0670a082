#include "Dlg_info.h"

#include "image/Firmware.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {

constexpr int kEepromRows = 8;
constexpr int kBytesPerRow = 16;
constexpr int kLastRegisterEntry = 510;

QPlainTextEdit* memo(const QString& name, const QString& hint, QWidget* parent) {
    auto* edit = new QPlainTextEdit(parent);
    edit->setObjectName(name);
    edit->setToolTip(hint);
    edit->setReadOnly(true);
    edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    edit->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    return edit;
}

} // namespace

TfrmInfo::TfrmInfo(const hq::Firmware* firmware, QWidget* parent)
    : QDialog(parent),
      memo1_(memo(QStringLiteral("Memo1"),
                  QStringLiteral("Anzeige der EEprom Daten\r\nFür den Normal-Bediener uninteressant!"),
                  this)),
      memo3_(memo(QStringLiteral("Memo3"),
                  QStringLiteral("Anzeige der Register\r\nFür den Normal-Bediener uninteressant!"), this)),
      close_(new QPushButton(QStringLiteral("Fenster schliessen"), this)) {
    setObjectName(QStringLiteral("frmInfo"));
    setWindowTitle(QStringLiteral("HEX File Information"));

    memo1_->setPlainText(eepromLines(firmware).join(QLatin1Char('\n')));
    memo3_->setPlainText(registerLines(firmware).join(QLatin1Char('\n')));
    close_->setObjectName(QStringLiteral("btn_close"));
    connect(close_, &QPushButton::clicked, this, &TfrmInfo::btn_closeClick);

    // The eight EEPROM lines show whole, without scrolling.
    const QFontMetrics metrics(memo1_->font());
    const int margins = 2 * (static_cast<int>(memo1_->document()->documentMargin()) + memo1_->frameWidth());
    memo1_->setFixedHeight(metrics.lineSpacing() * kEepromRows + margins + 4);
    memo1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Record lines fit the width; an overlong line of a strange file wraps instead of scrolling.
    memo3_->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(memo1_);
    layout->addWidget(memo3_, 1);
    layout->addWidget(close_, 0, Qt::AlignHCenter);

    // Wide enough for a record line of the register list, and high enough for 40 lines of text.
    const int width = metrics.horizontalAdvance(QString(60, QLatin1Char('0'))) + 60;
    setMinimumWidth(width);
    resize(width, metrics.lineSpacing() * 40);
}

QStringList TfrmInfo::eepromLines(const hq::Firmware* firmware) {
    QStringList lines;
    for (int row = 0; row < kEepromRows; ++row) {
        QString line;
        for (int column = 0; column < kBytesPerRow; ++column) {
            line += QLatin1Char(' ');
            if (firmware != nullptr) {
                line += QString::fromStdString(firmware->eeprom().bytes.at(row * kBytesPerRow + column));
            }
        }
        lines.append(line);
    }
    return lines;
}

QStringList TfrmInfo::registerLines(const hq::Firmware* firmware) {
    QStringList lines;
    if (firmware == nullptr) {
        return lines;
    }
    for (int entry = 0; entry <= kLastRegisterEntry; ++entry) {
        const std::string& text = firmware->image.lines.at(entry);
        if (!text.empty()) {
            lines.append(
                QStringLiteral("# %1: %2 ").arg(QString::number(entry), QString::fromStdString(text)));
        }
    }
    return lines;
}

void TfrmInfo::btn_closeClick() {
    close();
}

void TfrmInfo::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Centred on the desktop, not on the main window.
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
}
