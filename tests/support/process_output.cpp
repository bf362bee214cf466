#include "process_output.h"

#include <QByteArrayList>
#include <QCoreApplication>
#include <QElapsedTimer>

QByteArray withoutEnvironmentNotes(const QByteArray &standardError)
{
    QByteArrayList lines = standardError.split('\n');
    lines.removeIf([](const QByteArray &line) {
        return line.isEmpty() || line.startsWith("QStandardPaths: ");
    });
    return lines.join('\n');
}

ChildEnd runThisProgramWith(const QString &variable, const QString &value)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(variable, value);
    child.setProcessEnvironment(environment);
    QElapsedTimer clock;
    clock.start();
    child.start(QCoreApplication::applicationFilePath(), {});
    ChildEnd end;
    end.finished = child.waitForFinished(10000);
    qInfo("the child ended %lld ms after it started", clock.elapsed());
    end.exitStatus = child.exitStatus();
    end.exitCode = child.exitCode();
    end.standardError = child.readAllStandardError();
    return end;
}
