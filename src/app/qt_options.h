#pragma once

#include <QStringList>

// The arguments without the options that Qt's application objects and its X11 platform take
// for themselves (-platform, -style, -display ...), so that the program's own parser sees
// only its own. QApplication still gets the full command line.
QStringList withoutQtOptions(const QStringList &arguments);
