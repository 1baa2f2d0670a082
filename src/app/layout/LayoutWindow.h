#pragma once
// The layout window: every decoder of one folder side by side. A decoder table (file, name, note,
// firmware, kind, protocol, version, addresses, warnings) and an address table (protocol, address,
// what it reacts to, decoder, row, clashes), both sortable and narrowed by one filter line; the
// clashes in amber with the other parties in the tooltips and in a list of their own, where a
// clash is marked intended or the mark taken back; the free accessory addresses; the files passed
// over with the reason. Double-click opens a decoder in its own main window. Name and note are
// edited in place. "Serie erzeugen…" and "Anlagenblatt" work on the folder.
//
// The title counts the clashes not marked intended. The scan runs on its own thread with a
// progress bar and can be cancelled; the folder is watched, and every change — a save in any
// window, the command line, a series — is read again at once. The tables keep their sort,
// selection and current row across a rescan.

#include "layout/Layout.h"
#include "layout/LayoutSnapshot.h"

#include <QMainWindow>
#include <QPointer>

#include <string>
#include <vector>

class AddressTableModel;
class ClashTableModel;
class DecoderTableModel;
class LayoutFilterProxy;
class LayoutFolderWatcher;
class LayoutScanRunner;
class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QModelIndex;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTableView;
class QTableWidget;
class SeriesDialog;
class TFormMain;

class LayoutWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit LayoutWindow(const QString& folder, QWidget* parent = nullptr);
    ~LayoutWindow() override;

    const QString& folder() const { return folder_; }
    // What the tables show: the last scan (never an incomplete one).
    const SnapshotPtr& snapshot() const { return snapshot_; }
    bool isScanning() const;

    // Reads the folder again ("Neu einlesen", F5); a scan running is started over.
    void rescan();
    void cancelScan();

    // Writes a decoder's name and note, or marks a clash intended or takes the mark back, in
    // anlage.json. False when refused: the German reason is shown, the tables show the file.
    bool writeNote(const std::string& file, const hq::DecoderNote& note);
    bool writeIntended(const std::vector<hq::ClashKey>& keys, bool intended);

    // Opens a decoder (its file relative to the folder) in its own main window.
    TFormMain* openDecoder(const QString& file);
    // The decoder file of the current row of the focused table (or the decoder table), or empty.
    QString currentDecoderFile() const;

    void openSeriesDialog();
    SeriesDialog* seriesDialog() const;
    void printSheet();
    void saveSheetAsPdf();

    // The window's models, views and controls, for tests and accessibility tools.
    struct Parts {
        DecoderTableModel* decoderModel;
        AddressTableModel* addressModel;
        ClashTableModel* clashModel;
        LayoutFilterProxy* decoderProxy;
        LayoutFilterProxy* addressProxy;
        LayoutFilterProxy* clashProxy;
        QTableView* decoderView;
        QTableView* addressView;
        QTableView* clashView;
        QTableWidget* problemTable;
        QLineEdit* filterEdit;
        QCheckBox* onlyClashesBox;
        QProgressBar* progressBar;
        QPushButton* cancelButton;
        QLabel* summaryLabel;
        QLabel* freeLabel;
        QTabWidget* tabs;
        QAction* rescanAction;
        QAction* seriesAction;
        QAction* printAction;
        QAction* pdfAction;
    };
    Parts parts() const;

signals:
    // A scan's result is in the tables.
    void snapshotShown();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenu();
    QWidget* buildHeader();
    QWidget* buildTables();
    QWidget* buildClashPanel();
    void connectViews();

    void showSnapshot(SnapshotPtr snapshot);
    void showSummary();
    void showFree();
    void showProblems();
    void scanFailed(const QString& message);
    void scanCancelled();
    void scanRunning(bool running);
    void scanProgress(int done, int total);
    // After a write to anlage.json: the last scan analysed again with the notes as written.
    void notesWritten();
    void reanalyse();
    // A name or note is being typed into the decoder table.
    bool isTypingNote() const;

    void decoderActivated(const QModelIndex& index);
    void addressActivated(const QModelIndex& index);
    void clashActivated(const QModelIndex& index);
    void decoderMenu(const QPoint& at);
    void addressMenu(const QPoint& at);
    void clashMenu(const QPoint& at);
    void markSelectedClashes(bool intended);
    void followClashSelection();
    // Selects the rows of `clash` in the address table.
    void showClashInAddresses(const hq::Clash& clash);

    QString folder_;
    SnapshotPtr snapshot_;
    SnapshotPtr held_; // a scan that arrived while a note was typed
    bool shownOnce_ = false;
    LayoutScanRunner* runner_;
    LayoutFolderWatcher* watcher_;
    DecoderTableModel* decoderModel_;
    AddressTableModel* addressModel_;
    ClashTableModel* clashModel_;
    LayoutFilterProxy* decoderProxy_;
    LayoutFilterProxy* addressProxy_;
    LayoutFilterProxy* clashProxy_;
    QTableView* decoderView_ = nullptr;
    QTableView* addressView_ = nullptr;
    QTableView* clashView_ = nullptr;
    QTableWidget* problems_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QLineEdit* filter_ = nullptr;
    QCheckBox* onlyClashes_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QLabel* summary_ = nullptr;
    QLabel* free_ = nullptr;
    QPushButton* markIntended_ = nullptr;
    QPushButton* unmarkIntended_ = nullptr;
    QAction* rescanAction_ = nullptr;
    QAction* seriesAction_ = nullptr;
    QAction* printAction_ = nullptr;
    QAction* pdfAction_ = nullptr;
    QPointer<SeriesDialog> seriesDialog_;
};
