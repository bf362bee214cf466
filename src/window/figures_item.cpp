#include "window/figures_item.h"

#include "views/figures_window.h"
#include "window/main_window.h"

#include <QMenu>
#include <QScreen>

namespace {

// Right of the window, where it hides nothing of it, if the screen has room there.
void placeBeside(QWidget &window, const Form1 &form)
{
    window.adjustSize();
    const QRect beside(form.frameGeometry().topRight() + QPoint(8, 0), window.size());
    if (form.screen() && form.screen()->availableGeometry().contains(beside))
        window.move(beside.topLeft());
}

void showFigures(Form1 &form)
{
    auto *window = form.findChild<views::FiguresWindow *>();
    if (!window) {
        window = new views::FiguresWindow(form.readings, &form);
        placeBeside(*window, form);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

void addFiguresItem(QMenu &menu, Form1 &form)
{
    menu.addSeparator();
    QObject::connect(menu.addAction(QStringLiteral("統計(&S)...")), &QAction::triggered, &form,
                     [&form] { showFigures(form); });
}
