#pragma once
// Settings that travel: the window's settings exported as the JSON of `hexquendra-cli show --settings`,
// such JSON imported with the checks and messages of `apply`, and the settings of another HEX file of
// the same firmware kind taken over after the user has seen what would change (the list names the
// source's protocol, and each value the target would refuse says why). Each import or take-over is
// one undo step, and nothing reaches a file before "HEX speichern".

#include <QObject>

class FirmwareDocument;
class QWidget;

class SettingsTransfer : public QObject {
    Q_OBJECT
public:
    // `window` is the parent of every dialog.
    SettingsTransfer(QWidget& window, FirmwareDocument& document);

    void exportSettings();
    void importSettings();
    void takeOverSettings();

private:
    QWidget& window_;
    FirmwareDocument& document_;
};
