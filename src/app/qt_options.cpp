#include "app/qt_options.h"

#include <QLatin1StringView>
#include <algorithm>
#include <iterator>

namespace {

struct QtOption {
    QLatin1StringView name;
    bool takesValue;       // the next argument is its value
    bool takesJoinedValue; // "-name=value" is accepted too
};

// Those QCoreApplication, QGuiApplication, QApplication and the X11 platform take out of
// argv. Qt reads each with one dash or two.
constexpr QtOption QtOptions[] = {
    {QLatin1StringView("platform"), true, false},
    {QLatin1StringView("platformpluginpath"), true, false},
    {QLatin1StringView("platformtheme"), true, false},
    {QLatin1StringView("plugin"), true, false},
    {QLatin1StringView("qwindowgeometry"), true, false},
    {QLatin1StringView("qwindowicon"), true, false},
    {QLatin1StringView("qwindowtitle"), true, false},
    {QLatin1StringView("session"), true, false},
    {QLatin1StringView("reverse"), false, false},
    {QLatin1StringView("testability"), false, false},
    {QLatin1StringView("style"), true, true},
    {QLatin1StringView("stylesheet"), true, true},
    {QLatin1StringView("widgetcount"), false, false},
    {QLatin1StringView("qmljsdebugger"), true, true},
    {QLatin1StringView("display"), true, false},
    {QLatin1StringView("geometry"), true, false},
    {QLatin1StringView("title"), true, false},
    {QLatin1StringView("icon"), true, false},
    {QLatin1StringView("name"), true, false},
    {QLatin1StringView("visual"), true, false},
    {QLatin1StringView("nograb"), false, false},
    {QLatin1StringView("dograb"), false, false},
};

const QtOption *qtOption(QStringView name)
{
    const auto found = std::find_if(std::begin(QtOptions), std::end(QtOptions),
                                    [name](const QtOption &option) { return option.name == name; });
    return found == std::end(QtOptions) ? nullptr : found;
}

} // namespace

QStringList withoutQtOptions(const QStringList &arguments)
{
    QStringList kept;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (i == 0 || !argument.startsWith(u'-')) {
            kept.append(argument);
            continue;
        }
        const QStringView name = QStringView(argument).mid(argument.startsWith(u"--") ? 2 : 1);
        const qsizetype equals = name.indexOf(u'=');
        const QtOption *option = qtOption(equals < 0 ? name : name.left(equals));
        if (!option || (equals >= 0 && !option->takesJoinedValue)) {
            kept.append(argument);
        } else if (equals < 0 && option->takesValue) {
            // Qt leaves an option whose value is missing, and so does this: the parser
            // refuses it.
            if (i + 1 < arguments.size())
                ++i;
            else
                kept.append(argument);
        }
    }
    return kept;
}
