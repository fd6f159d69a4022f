#pragma once

#include <QList>
#include <QPoint>

class QAction;
class QMenu;
class QPlainTextEdit;

namespace ferrolith {

// The report area's context menu: the text area's own editing items, then the program's items
// in the order given. The caller owns the menu.
QMenu* createReportContextMenu(QPlainTextEdit& report, const QList<QAction*>& items, QPoint at);

// Shows that menu on every context-menu request of the report area.
void installReportContextMenu(QPlainTextEdit& report, QList<QAction*> items);

}  // namespace ferrolith
