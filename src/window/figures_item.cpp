#include "window/figures_item.h"

#include "views/figures_window.h"
#include "window/main_window.h"

#include <QMenu>

void addFiguresItem(QMenu &menu, Form1 &form)
{
    menu.addSeparator();
    QObject::connect(menu.addAction(QStringLiteral("統計(&S)...")), &QAction::triggered, &form,
                     [&form] {
                         auto *window = form.findChild<views::FiguresWindow *>();
                         if (!window)
                             window = new views::FiguresWindow(form.readings, &form);
                         window->show();
                         window->raise();
                         window->activateWindow();
                     });
}
