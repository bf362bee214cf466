#include "chart/chart_font.h"

#include <QStringList>

// The fixed-pitch face's narrower digits keep " 100" clear of the frame, as the layout
// expects, where the window's own face is missing.
QFont chartFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("MS UI Gothic"), QStringLiteral("IPAGothic")});
    font.setPixelSize(12);
    return font;
}
