#include "ui/report_context_menu.hpp"

#include <QMenu>
#include <QPlainTextEdit>

namespace ferrolith {

void installReportContextMenu(QPlainTextEdit& report, const QList<QAction*>& actions) {
    report.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(&report, &QWidget::customContextMenuRequested, &report,
                     [&report, actions](const QPoint& at) {
                         QMenu* menu = report.createStandardContextMenu(at);
                         menu->setAttribute(Qt::WA_DeleteOnClose);
                         menu->addSeparator();
                         menu->addActions(actions);
                         menu->popup(report.viewport()->mapToGlobal(at));
                     });
}

}  // namespace ferrolith
