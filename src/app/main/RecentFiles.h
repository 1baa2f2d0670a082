#pragma once
// The files opened last (at most eight, newest first) and the folder of the last file dialog, kept
// between runs with QSettings.

#include <QObject>
#include <QStringList>

class RecentFiles : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaximum = 8;

    explicit RecentFiles(QObject* parent = nullptr);

    QStringList files() const { return files_; }
    // Puts `path` first (once), drops the oldest beyond eight and remembers its folder.
    void add(const QString& path);
    // Forgets a file that could not be opened any more.
    void remove(const QString& path);

    // The folder the file dialogs start in: the last one used, else the home folder.
    QString lastFolder() const;

signals:
    void changed();

private:
    void save() const;

    QStringList files_;
    QString lastFolder_;
};
