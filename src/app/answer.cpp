#include "app/answer.h"
#include "app/parent_console.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

int giveAnswer(const Answer &answer, int &argc, char **argv)
{
    const bool error = answer.exitStatus != 0;
    if (outputIsRead()) {
        std::fputs(qPrintable(answer.text), error ? stderr : stdout);
        return answer.exitStatus;
    }
    QApplication app(argc, argv);
    QMessageBox box(error ? QMessageBox::Critical : QMessageBox::Information,
                    QStringLiteral("Tarnwick"), {}, QMessageBox::Ok);
    if (error) {
        // The line on standard error; its hint to try --help needs a prompt.
        box.setText(answer.text.section(u'\n', 0, 0));
    } else {
        // Help's columns stay in line only in a fixed-width face.
        box.setTextFormat(Qt::RichText);
        box.setText(QStringLiteral("<pre style=\"font-family: Consolas, 'Courier New', "
                                   "'MS Gothic', IPAGothic, monospace\">%1</pre>")
                        .arg(answer.text.toHtmlEscaped()));
    }
    box.exec();
    return answer.exitStatus;
}
