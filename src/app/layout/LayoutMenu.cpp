// The folder is checked before a window is made: a missing or unreadable folder gets its message
// and no empty window.

#include "layout/LayoutMenu.h"

#include "Dialogs.h"
#include "QtText.h"
#include "layout/LayoutFolder.h"
#include "layout/LayoutWindow.h"
#include "layout/RecentLayouts.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace layout_menu {
namespace {

QString normalised(const QString& folder) {
    return QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
}

LayoutWindow* openWindowOf(const QString& folder) {
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* widget : windows) {
        auto* window = qobject_cast<LayoutWindow*>(widget);
        if (window != nullptr && normalised(window->folder()) == folder)
            return window;
    }
    return nullptr;
}

void fillRecent(QWidget* parent, QMenu* menu) {
    menu->clear();
    const QStringList folders = recent_layouts::folders();
    if (folders.isEmpty()) {
        menu->addAction(QStringLiteral("(keine)"))->setEnabled(false);
        return;
    }
    for (int i = 0; i < folders.size(); ++i) {
        const QString folder = folders.at(i);
        QAction* entry =
            menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(folder)));
        QObject::connect(entry, &QAction::triggered, parent, [parent, folder] {
            if (openLayoutWindow(folder, parent) == nullptr && !QFileInfo(folder).isDir())
                recent_layouts::remove(folder);
        });
    }
}

} // namespace
} // namespace layout_menu

void attachLayoutMenu(QWidget* parent, QAction* open, QMenu* recent) {
    QObject::connect(open, &QAction::triggered, parent, [parent] { chooseLayout(parent); });
    QObject::connect(recent, &QMenu::aboutToShow, parent,
                     [parent, recent] { layout_menu::fillRecent(parent, recent); });
    layout_menu::fillRecent(parent, recent);
}

LayoutWindow* chooseLayout(QWidget* parent) {
    const QString folder = Dialogs::instance().existingFolder(
        parent, QStringLiteral("Anlage öffnen: Ordner mit den HEX-Dateien"));
    if (folder.isEmpty())
        return nullptr;
    return openLayoutWindow(folder, parent);
}

LayoutWindow* openLayoutWindow(const QString& folder, QWidget* parent) {
    const QString path = layout_menu::normalised(folder);
    if (LayoutWindow* open = layout_menu::openWindowOf(path)) {
        open->show();
        open->raise();
        open->activateWindow();
        recent_layouts::add(path);
        return open;
    }
    // Only the folder itself is checked here; the files are read by the window's scan.
    const hq::Result<hq::LayoutFiles> listed = hq::listLayoutFiles(localPath(path), 0);
    if (!listed) {
        warningOk(parent, qs(listed.message()));
        return nullptr;
    }
    auto* window = new LayoutWindow(path);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    recent_layouts::add(path);
    return window;
}
