#include "box_watcher.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QTimer>

namespace {

QList<QMessageBox *> visibleBoxes()
{
    QList<QMessageBox *> boxes;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *box = qobject_cast<QMessageBox *>(widget); box && box->isVisible())
            boxes << box;
    }
    return boxes;
}

} // namespace

BoxWatcher::BoxWatcher(int closeAfterMs) : closeAfterMs_(closeAfterMs)
{
    qApp->installEventFilter(this);
}

BoxWatcher::~BoxWatcher()
{
    qApp->removeEventFilter(this);
}

int BoxWatcher::openBoxes()
{
    return int(visibleBoxes().size());
}

void BoxWatcher::closeAll()
{
    for (QMessageBox *box : visibleBoxes())
        box->reject();
}

bool BoxWatcher::eventFilter(QObject *receiver, QEvent *event)
{
    auto *box = qobject_cast<QMessageBox *>(receiver);
    if (box && event->type() == QEvent::Show) {
        ++shown_;
        mostOpen_ = std::max(mostOpen_, openBoxes());
        if (closeAfterMs_ != LeaveOpen)
            QTimer::singleShot(closeAfterMs_, box, &QMessageBox::reject);
    }
    return false;
}
