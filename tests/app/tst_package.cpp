#include "process_output.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

// Builds the Debian package from this build tree, unpacks it into a scratch root and uses
// what it installed, as a machine that installed the package would.
class TestPackage : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString package_;
    QString root_;

    QString installed(const QString &path) const { return root_ + u'/' + path; }

private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        const ChildEnd cpack = runChild(QStringLiteral(CPACK_PROGRAM),
                                        {"--config", CPACK_CONFIG, "-G", "DEB", "-B", dir_.path()},
                                        QProcessEnvironment::systemEnvironment(), 100000);
        QVERIFY2(cpack.exitCode == 0, cpack.standardOutput + cpack.standardError);
        const QStringList packages = QDir(dir_.path()).entryList({"*.deb"}, QDir::Files);
        QCOMPARE(packages.size(), 1);
        package_ = dir_.filePath(packages.first());
        root_ = dir_.filePath(QStringLiteral("root"));
        const ChildEnd unpack = runChild(QStringLiteral("dpkg"), {"-x", package_, root_});
        QVERIFY2(unpack.exitCode == 0, unpack.standardError);
    }

    void dependenciesAreComputedAndIncludeTheFont()
    {
        const ChildEnd depends = runChild(QStringLiteral("dpkg-deb"), {"-f", package_, "Depends"});
        QCOMPARE(depends.exitCode, 0);
        for (const char *package :
             {"libc6", "libqt6widgets6", "libqt6serialport6", "fonts-ipafont-gothic"})
            QVERIFY2(depends.standardOutput.contains(package), depends.standardOutput);
    }

    void programsRunFromThePackage_data()
    {
        QTest::addColumn<QString>("program");

        QTest::newRow("tarnwick") << "tarnwick";
        QTest::newRow("emulator") << "tarnwick-emulator";
    }

    void programsRunFromThePackage()
    {
        QFETCH(QString, program);
        const ChildEnd version = runChild(installed("usr/bin/" + program), {"--version"});
        QCOMPARE(version.exitCode, 0);
        QCOMPARE(version.standardOutput, (program + " " PROJECT_VERSION_TEXT "\n").toUtf8());
    }

    void desktopEntryNamesTheProgramAndItsIcon()
    {
        QFile file(installed("usr/share/applications/tarnwick.desktop"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QHash<QString, QString> entry;
        for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n'))
            entry.insert(line.section(u'=', 0, 0), line.section(u'=', 1));
        QCOMPARE(entry.value("Exec"), QStringLiteral("tarnwick"));
        QCOMPARE(entry.value("Icon"), QStringLiteral("tarnwick"));
        QVERIFY(entry.value("Categories").split(u';').contains("Science"));
        QVERIFY(!entry.value("Name").isEmpty());
        QVERIFY(!entry.value("Name[ja]").isEmpty());
        for (const int size : {16, 32}) {
            const QImage icon(installed(
                QStringLiteral("usr/share/icons/hicolor/%1x%1/apps/tarnwick.png").arg(size)));
            QCOMPARE(icon.size(), QSize(size, size));
        }
    }

    void manualPagesAreInstalled_data()
    {
        QTest::addColumn<QString>("page");

        QTest::newRow("tarnwick") << "tarnwick";
        QTest::newRow("emulator") << "tarnwick-emulator";
    }

    void manualPagesAreInstalled()
    {
        QFETCH(QString, page);
        const ChildEnd text = runChild(QStringLiteral("gzip"),
                                       {"-dc", installed("usr/share/man/man1/" + page + ".1.gz")});
        QCOMPARE(text.exitCode, 0);
        QVERIFY(text.standardOutput.startsWith(
            ".TH " + page.toUpper().replace("-", "\\-").toUtf8() + " 1 "));
    }
};

QTEST_APPLESS_MAIN(TestPackage)
#include "tst_package.moc"
