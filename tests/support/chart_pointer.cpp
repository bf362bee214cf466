#include "chart_pointer.h"

#include "chart/picture_box.h"

#include <QApplication>
#include <QMouseEvent>

void movePointer(PictureBox &picture, QPoint chartPosition)
{
    const QPoint at = picture.innerOrigin() + chartPosition;
    QMouseEvent move(QEvent::MouseMove, at, picture.mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&picture, &move);
}
