#include "ui/main/report_context_menu.hpp"

#include <QMenu>
#include <QPlainTextEdit>
#include <memory>

namespace ferrolith {

QMenu* createReportContextMenu(QPlainTextEdit& report, const QList<QAction*>& items, QPoint at) {
    QMenu* menu = report.createStandardContextMenu(at);
    menu->addSeparator();
    menu->addActions(items);
    return menu;
}

void installReportContextMenu(QPlainTextEdit& report, QList<QAction*> items) {
    report.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(
        &report, &QPlainTextEdit::customContextMenuRequested, &report, [&report, items](QPoint at) {
            const std::unique_ptr<QMenu> menu(createReportContextMenu(report, items, at));
            menu->exec(report.viewport()->mapToGlobal(at));
        });
}

}  // namespace ferrolith
