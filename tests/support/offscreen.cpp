#include <QByteArray>
#include <QtGlobal>

// Every test program, benchmark and fuzz target draws off screen, and so do the programs
// they start, which inherit the environment: set here, before main, however they are run.
// A platform named in the environment is kept, to watch a test on a screen.
static void drawOffScreen()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}
Q_CONSTRUCTOR_FUNCTION(drawOffScreen)
