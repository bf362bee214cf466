#include "process_output.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
// windows.h first: msi.h takes its types from it.
#include <windows.h>

#include <msi.h>

namespace {

const QString Folder = QStringLiteral(UNPACKED_ZIP);
const QString Program = Folder + "/tarnwick.exe";

// Windows' own folders and nothing else, as on a machine that never had Qt or MinGW.
QProcessEnvironment windowsAlone()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QString windows = environment.value(QStringLiteral("SystemRoot"));
    environment.insert(QStringLiteral("PATH"), windows + "\\system32;" + windows);
    return environment;
}

const wchar_t *wide(const QString &text)
{
    return reinterpret_cast<const wchar_t *>(text.utf16());
}

// A string of the program file's version information, in U.S. English or another language.
QString versionString(const QString &name, const QString &language = QStringLiteral("040904B0"))
{
    const DWORD size = GetFileVersionInfoSizeW(wide(Program), nullptr);
    QByteArray info(qsizetype(size), '\0');
    if (size == 0 || !GetFileVersionInfoW(wide(Program), 0, size, info.data()))
        return {};
    void *value = nullptr;
    UINT length = 0;
    const QString path = "\\StringFileInfo\\" + language + "\\" + name;
    if (!VerQueryValueW(info.data(), wide(path), &value, &length) || length == 0)
        return {};
    return QString::fromWCharArray(static_cast<const wchar_t *>(value), int(length) - 1);
}

// The manifest Windows reads from the program file.
QByteArray manifest()
{
    const HMODULE module = LoadLibraryExW(wide(Program), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const HRSRC found = module ? FindResourceW(module, MAKEINTRESOURCEW(1), RT_MANIFEST) : nullptr;
    const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const QByteArray text = loaded ? QByteArray(static_cast<const char *>(LockResource(loaded)),
                                                qsizetype(SizeofResource(module, found)))
                                   : QByteArray();
    if (module)
        FreeLibrary(module);
    return text;
}

QString productInfo(const QString &product, const wchar_t *property)
{
    wchar_t value[MAX_PATH];
    DWORD length = MAX_PATH;
    if (MsiGetProductInfoW(wide(product), property, value, &length) != 0)
        return {};
    return QString::fromWCharArray(value, int(length));
}

// The versions of Tarnwick installed, by their product codes, found by the upgrade code
// every version carries.
QMap<QString, QString> installedVersions()
{
    QMap<QString, QString> versions;
    wchar_t product[39];
    for (DWORD i = 0;
         MsiEnumRelatedProductsW(wide(QStringLiteral(UPGRADE_CODE)), 0, i, product) == 0; ++i)
        versions.insert(
            QString::fromWCharArray(product),
            productInfo(QString::fromWCharArray(product), INSTALLPROPERTY_VERSIONSTRING));
    return versions;
}

// A package file, or the product code of an installed one.
int msiexec(const QString &option, const QString &package)
{
    const QString path = package.startsWith(u'{')
                             ? package
                             : QDir::toNativeSeparators(QFileInfo(package).absoluteFilePath());
    return runChild(QStringLiteral("msiexec"), {option, path, "/qn"},
                    QProcessEnvironment::systemEnvironment(), 100000)
        .exitCode;
}

// Whether the shortcut holds the text, as the UTF-16 its strings are kept in.
bool linkHolds(const QFileInfo &shortcut, const QString &text)
{
    QFile link(shortcut.filePath());
    return link.open(QIODevice::ReadOnly) &&
           link.readAll().contains(
               QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2));
}

// Every file under the folder, as paths from it.
QStringList filesUnder(const QString &folder)
{
    QStringList files;
    QDirIterator found(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (found.hasNext())
        files << QDir(folder).relativeFilePath(found.next());
    files.sort();
    return files;
}

} // namespace

// The zip a Windows user gets, unpacked into an empty folder by the test before this one, and
// the installer made of the same folder, installed, upgraded and removed in this prefix.
class TestWindowsZip : public QObject {
    Q_OBJECT

private:
    QString installed_; // the folder the installer fills
    QString startMenu_;

private slots:
    void initTestCase()
    {
        installed_ = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                     "/Programs/Tarnwick";
        startMenu_ = QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
        // A run of the tests before this one may have left it installed.
        for (const QString &product : installedVersions().keys())
            QCOMPARE(msiexec("/x", product), 0);
        QVERIFY(installedVersions().isEmpty());
    }

    void programStartsFromTheFolder_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("output");

        QTest::newRow("version") << QStringList{"--version"}
                                 << QByteArray("tarnwick " PROJECT_VERSION_TEXT "\n");
        QTest::newRow("ports") << QStringList{"--list-ports"} << QByteArray();
    }

    void programStartsFromTheFolder()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, output);
        const ChildEnd end = runChild(Program, arguments, windowsAlone());
        QCOMPARE(end.exitCode, 0);
        if (!output.isEmpty())
            QCOMPARE(end.standardOutput, output);
    }

    // From a prompt "tarnwick" is the console twin: cmd waits for it, so its lines come
    // before the next command's and its exit status is the one cmd sees.
    void promptWaitsForTheConsoleTwin_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QByteArray>("output");

        QTest::newRow("bad option") << "tarnwick --bogus & echo status %ERRORLEVEL%"
                                    << QByteArray("Try 'tarnwick --help'.\r\nstatus 2");
        QTest::newRow("help into a file") << "tarnwick --help > help.txt & type help.txt & del "
                                             "help.txt & echo status %ERRORLEVEL%"
                                          << QByteArray("--list-ports).\r\n");
    }

    void promptWaitsForTheConsoleTwin()
    {
        QFETCH(QString, command);
        QFETCH(QByteArray, output);
        QProcess cmd;
        cmd.setProcessChannelMode(QProcess::MergedChannels);
        cmd.setProcessEnvironment(windowsAlone());
        cmd.setWorkingDirectory(Folder);
        cmd.setNativeArguments("/c " + command);
        cmd.start(QStringLiteral("cmd.exe"), {});
        QVERIFY(cmd.waitForFinished(20000));
        const QByteArray said = cmd.readAll();
        QVERIFY2(said.contains(output), said);
    }

    // Ports as Windows registers them, COM10 before COM3; listed by their number.
    void comPortsAreListedByNumber()
    {
        const QString map = QStringLiteral("HKLM\\HARDWARE\\DEVICEMAP\\SERIALCOMM");
        for (const QString port : {"COM10", "COM3"})
            QCOMPARE(
                runChild("reg.exe", {"add", map, "/v", "\\Device\\Test" + port, "/d", port, "/f"})
                    .exitCode,
                0);
        const ChildEnd end = runChild(Program, {"--list-ports"}, windowsAlone());
        for (const QString port : {"COM10", "COM3"})
            runChild("reg.exe", {"delete", map, "/v", "\\Device\\Test" + port, "/f"});
        QCOMPARE(end.exitCode, 0);
        QStringList devices;
        for (const QByteArray &line : end.standardOutput.split('\n'))
            devices << QString::fromLocal8Bit(line).section(u'\t', 1, 1);
        QVERIFY2(devices.indexOf("COM3") >= 0 && devices.indexOf("COM3") < devices.indexOf("COM10"),
                 end.standardOutput);
    }

    // Qt says so when a platform or style it is asked for is not there.
    void windowComesUpWithThePlatformAndStyleShipped()
    {
        const ChildEnd end = runChild(Program, {"-platform", "windows", "-style", "windowsvista"},
                                      windowsAlone(), 3000);
        QVERIFY(!end.finished);
        QCOMPARE(withoutEnvironmentNotes(end.standardError), QByteArray());
    }

    void programFileKnowsItsVersionAndManifest()
    {
        QCOMPARE(versionString("ProductName"), QStringLiteral("Tarnwick"));
        QCOMPARE(versionString("ProductVersion"), QStringLiteral(PROJECT_VERSION_TEXT));
        QCOMPARE(versionString("FileVersion"), QStringLiteral(PROJECT_VERSION_TEXT));
        QCOMPARE(versionString("OriginalFilename"), QStringLiteral("tarnwick.exe"));
        QVERIFY(versionString("LegalCopyright").contains("Tarnwick"));
        QVERIFY(
            versionString("FileDescription", "041104B0").contains(QStringLiteral("温度・湿度計")));
        const QByteArray text = manifest();
        for (const char *part :
             {"level=\"asInvoker\"", "<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>",
              ">true</longPathAware>", ">PerMonitorV2, PerMonitor</dpiAwareness>",
              "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""})
            QVERIFY2(text.contains(part), part);
    }

    // In Japanese first, then in English, both with the version.
    void readmeNamesTheVersionInBothLanguages()
    {
        QFile file(UNPACKED_ZIP "/README.txt");
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF")); // so that Notepad takes it for UTF-8
        const QString text = QString::fromUtf8(bytes);
        const qsizetype japanese = text.indexOf("Tarnwick " PROJECT_VERSION_TEXT " Windows 版");
        const qsizetype english = text.indexOf("Tarnwick " PROJECT_VERSION_TEXT " for Windows");
        QVERIFY(japanese >= 0 && english > japanese);
        QVERIFY(!text.contains(u'@'));
    }

    void olderInstallsSilently()
    {
        QCOMPARE(msiexec("/i", OLDER_INSTALLER), 0);
        QCOMPARE(installedVersions().values(), QStringList{OLDER_VERSION});
    }

    void newerReplacesOlder()
    {
        QCOMPARE(msiexec("/i", INSTALLER), 0);
        QCOMPARE(installedVersions().values(), QStringList{PROJECT_VERSION_TEXT});
        const QString product = installedVersions().firstKey();
        QCOMPARE(productInfo(product, INSTALLPROPERTY_PRODUCTNAME), QStringLiteral("Tarnwick"));
        QVERIFY(QFileInfo(productInfo(product, INSTALLPROPERTY_PRODUCTICON)).isFile());
    }

    void installedFilesAreTheZips()
    {
        QCOMPARE(filesUnder(installed_), filesUnder(UNPACKED_ZIP));
        const ChildEnd end = runChild(installed_ + "/tarnwick.exe", {"--version"}, windowsAlone());
        QCOMPARE(end.standardOutput, QByteArray("tarnwick " PROJECT_VERSION_TEXT "\n"));
    }

    void startMenuOffersTheProgramAndItsDemo()
    {
        const QFileInfo program(startMenu_ + "/Tarnwick.lnk");
        const QFileInfo demo(startMenu_ + "/Tarnwick demo.lnk");
        const QString target = QFileInfo(installed_ + "/tarnwick.exe").canonicalFilePath();
        QCOMPARE(QFileInfo(program.symLinkTarget()).canonicalFilePath(), target);
        QCOMPARE(QFileInfo(demo.symLinkTarget()).canonicalFilePath(), target);
        QVERIFY(linkHolds(demo, QStringLiteral("--simulate")));
        // The descriptions, Japanese tooltips that wixl alone would lose.
        QVERIFY(linkHolds(program, QStringLiteral("温度・湿度計とつないで使います")));
        QVERIFY(linkHolds(demo, QStringLiteral("測定器なしで、内蔵の模擬測定器を相手に動きます")));
    }

    void olderDoesNotReplaceNewer()
    {
        QVERIFY(msiexec("/i", OLDER_INSTALLER) != 0);
        QCOMPARE(installedVersions().values(), QStringList{PROJECT_VERSION_TEXT});
        QVERIFY(QFileInfo::exists(installed_ + "/tarnwick.exe"));
    }

    void uninstallLeavesNothing()
    {
        QCOMPARE(msiexec("/x", INSTALLER), 0);
        QVERIFY(installedVersions().isEmpty());
        QVERIFY(!QFileInfo::exists(installed_));
        QCOMPARE(filesUnder(startMenu_).filter("Tarnwick"), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestWindowsZip)
#include "tst_windows_zip.moc"
