#include "menu_item.h"

#include <QMenu>

QAction *menuItem(const QMenu &menu, const QString &text)
{
    for (QAction *item : menu.actions()) {
        if (item->text() == text)
            return item;
    }
    return nullptr;
}
