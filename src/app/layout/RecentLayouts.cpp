// Two spellings of one folder count once: folders are kept as clean absolute paths.

#include "layout/RecentLayouts.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace recent_layouts {
namespace {

const QString kKey = QStringLiteral("recentLayouts");

QString normalised(const QString& folder) {
    return QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
}

void save(const QStringList& list) {
    QSettings settings;
    settings.setValue(kKey, list);
}

} // namespace

QStringList folders() {
    QSettings settings;
    QStringList list = settings.value(kKey).toStringList();
    while (list.size() > kMaximum)
        list.removeLast();
    return list;
}

void add(const QString& folder) {
    const QString entry = normalised(folder);
    QStringList list = folders();
    list.removeAll(entry);
    list.prepend(entry);
    while (list.size() > kMaximum)
        list.removeLast();
    save(list);
}

void remove(const QString& folder) {
    QStringList list = folders();
    if (list.removeAll(normalised(folder)) > 0)
        save(list);
}

} // namespace recent_layouts
