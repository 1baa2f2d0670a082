#pragma once
// The servo curve file buttons: "Kurve:" speichern / laden (a ".cur" file of the selected curve's
// points) and "Alle Kurven:" speichern / laden (a ".set" file of all four curve blocks). Each asks for
// the file through the dialogs seam, says in a German message why a file cannot be written, read or
// used, and takes a file's contents into the document as one step.

#include <QWidget>

class ServoEdits;

class CurveFileRow : public QWidget {
    Q_OBJECT
public:
    explicit CurveFileRow(QWidget* parent = nullptr);

    // The curves the buttons save and load into; nothing happens without them.
    void setEdits(ServoEdits* edits) { edits_ = edits; }
    void showSelected(int curve) { curve_ = curve; }

    void saveCurve();
    void loadCurve();
    void saveAll();
    void loadAll();

private:
    // Asks for a file name and writes `text` to it; a refusal is named.
    void save(const QString& filter, const QString& suffix, const std::string& text);
    // Asks for a file and reads it; nothing for a cancelled dialog or a file that cannot be read
    // (named).
    std::optional<std::string> read(const QString& filter);

    ServoEdits* edits_ = nullptr;
    int curve_ = 1;
};
