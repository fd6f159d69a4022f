#pragma once

#include <QList>

class QAction;
class QPlainTextEdit;

namespace ferrolith {

// Gives the report area a context menu of its usual editing commands followed by actions.
void installReportContextMenu(QPlainTextEdit& report, const QList<QAction*>& actions);

}  // namespace ferrolith
