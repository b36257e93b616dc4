#include "PublishTestSupport.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

using namespace wareloom;
using namespace wareloom::test;

// wareloom -Publish and -Generate without a display: exit status, the
// progress on standard error, and what reaches a real host.
class TestHeadlessPublish : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void runsWithoutAWindow_data()
    {
        QTest::addColumn<QString>("commandSwitch");
        QTest::addColumn<QStringList>("categories");
        QTest::addColumn<QString>("uploadPath"); // null: no settings file
        // "wrong": a wrong password; "sftp", "new key": a host key not trusted
        QTest::addColumn<QStringList>("fault");
        QTest::addColumn<int>("exitStatus");
        QTest::addColumn<QString>("failed"); // "*": every page
        const auto row = [](const char* name, QString commandSwitch, QStringList categories,
                            QString uploadPath, QStringList fault, int exitStatus, QString failed) {
            QTest::newRow(name) << commandSwitch << categories << uploadPath << fault << exitStatus
                                << failed;
        };
        const QStringList ab{"A", "B"};
        row("published", "-Publish", ab, "/htdocs/", {}, 0, "");
        // Nothing between path and name, nothing escaped.
        row("no slash added, blanks", "-Publish", {"Garden Tools", "Caf\u00e9"}, "/htdocs", {}, 0,
            "");
        // Also with pages enough for more connections.
        row("wrong password: one login", "-Publish", {"A", "B", "C", "D", "E", "F", "G", "H"},
            "/htdocs/", {"wrong"}, 1, "*");
        row("new host key: nothing sent", "-Publish", ab, "/htdocs/", {"sftp", "new key"}, 5, "*");
        row("page refused", "-Publish", ab, "/htdocs/", {"--stor-reply", "553:A.htm"}, 1, "A.htm");
        row("no settings", "-Publish", ab, QString(), {}, 2, "");
        row("generate", "-Generate", ab, QString(), {}, 0, "");
    }
    void runsWithoutAWindow()
    {
        QFETCH(QString, commandSwitch);
        QFETCH(QStringList, categories);
        QFETCH(QString, uploadPath);
        QFETCH(QStringList, fault);
        QFETCH(int, exitStatus);
        QFETCH(QString, failed);
        qputenv("WARELOOM_FTP_TIMEOUT", "5"); // under load too
        const bool wrong = fault == QStringList{"wrong"}, newKey = fault.contains("new key");
        PublishSetup setup(wrong || newKey ? fault.mid(0, newKey) : fault);
        QVERIFY(uploadPath.isNull()
                    ? writeCategories(setup.data, categories)
                    : setup.start(categories, uploadPath, wrong ? "wrong" : "secret"));
        const QStringList pages = listedPages(setup.data);
        const QStringList notSent = failed == "*" ? pages : QStringList(failed).filter(".");

        QProcess program; // without any display
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(name);
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(WARELOOM_PROGRAM), {commandSwitch});
        QVERIFY(program.waitForFinished(30000));
        // Each line up to its first ": "; the reasons are not spelled out.
        QStringList lines =
            QString::fromLocal8Bit(program.readAllStandardError())
                .split('\n')
                .replaceInStrings(QRegularExpression("^(?!Summary)(.*?): .*"), "\\1");
        QStringList expected{"Creating HTML"}, stores;
        // The listing is the login: a refused one sends nothing, and says so.
        if (wrong || newKey)
            expected << (wrong ? "Login refused by the server"
                               : "The key of " + setup.server.knownHostsLine().section(' ', 0, 0) +
                                     " is not trusted yet");
        for (qsizetype at = 1;
             commandSwitch == "-Publish" && !wrong && !newKey && at <= pages.size(); ++at) {
            expected << "Upload -> " + pages[at - 1] + (at == pages.size() ? " (main page)" : "")
                     << QStringLiteral("  %1 of %2").arg(at).arg(categories.size() + 1);
            stores << "STOR " + uploadPath + pages[at - 1] + ".wareloom-upload TYPE=A";
        }
        if (exitStatus == 2)
            expected = QStringList{"Error"}; // "Error: No FTP settings: <file> cannot be read..."
        else if (notSent.isEmpty())
            expected << "Done";
        else
            expected << "FTP Error"
                     << QStringList(notSent).replaceInStrings(QRegularExpression("^"), "  ")
                     << "Check your FTP settings and internet connection.";
        if (newKey)
            expected << "Error"
                     << "To trust it, put this line in " + setup.data.filePath("KnownHosts") + ":"
                     << setup.server.knownHostsLine().section(": ", 0, 0);
        if (commandSwitch == "-Publish" && exitStatus != 2)
            expected << QStringLiteral("Summary: %1 sent, 0 unchanged, %2 failed")
                            .arg(pages.size() - notSent.size())
                            .arg(notSent.size());
        QCOMPARE(lines, expected << "");
        QCOMPARE(program.exitCode(), exitStatus);
        if (exitStatus == 2) {
            QCOMPARE(QDir(setup.data.path()).entryList(QDir::Files),
                     QStringList({"A.dat", "B.dat"}));
            return;
        }
        QVERIFY(QFile::exists(setup.data.filePath(pages.last())));
        if (commandSwitch == "-Generate")
            return;
        const QStringList commands = setup.server.commands();
        QCOMPARE(commands.filter(QRegularExpression("^(USER|login) ")).size(), newKey ? 0 : 1);
        if (!newKey)
            QCOMPARE(commands.filter("STOR "), wrong ? QStringList() : stores);
        for (const QString& page : pages)
            QVERIFY(notSent.contains(page) || setup.published({page}, uploadPath));
    }

    // What each publish sends, from the server's log: what the host lacks
    // and the main page, each under a temporary name renamed over its own;
    // the pictures and the banner the pages show go with them, first, also
    // when a page that stayed as it was shows a picture taken again or one
    // that came since. And what -Check finds on the host meanwhile.
    void sendsOnlyWhatChanged()
    {
        PublishSetup setup;
        QVERIFY(setup.start({"A", "B", "C"}));
        QVERIFY(writeFile(setup.data.filePath("A.dat"),
                          readFile(setup.data.filePath("A.dat")) + recordBytes("Pot", "P1")) &&
                writeFile(setup.data.filePath("P1.jpg"), "picture of P1") &&
                writeFile(setup.data.filePath("banner.gif"), "GIF89a banner") &&
                writeFile(setup.data.filePath("Q1.jpg"), "a picture no page shows"));
        const auto sent = [](const QString& file, const char* type = "A") {
            const QString temporary = "/htdocs/" + file + ".wareloom-upload";
            return QStringList{"STOR " + temporary + " TYPE=" + type, "RNFR " + temporary,
                               "RNTO /htdocs/" + file};
        };
        const auto picture = [&sent](const QString& file) { return sent(file, "I"); };
        const QString main = "inventory.htm", hostA = setup.server.localPath("/htdocs/A.htm");
        qsizetype seen = 0;
        QString messages;
        const auto run = [](const QString& command, const QStringList& switches = {}) {
            QProcess program;
            program.start(QStringLiteral(WARELOOM_PROGRAM), QStringList{command} + switches);
            program.waitForFinished(30000);
            return std::pair{
                program.exitCode(),
                QString::fromLocal8Bit(program.readAll() + program.readAllStandardError())};
        };
        const auto publish = [&](const QStringList& switches) {
            const auto [exitCode, said] = run("-Publish", switches);
            messages = said;
            const QStringList commands =
                setup.server.commands().mid(std::exchange(seen, setup.server.commands().size()));
            return exitCode == 0 && setup.published(listedPages(setup.data) << "P1.jpg"
                                                                            << "banner.gif")
                       ? commands.filter(QRegularExpression("^(STOR|RNFR|RNTO|DELE) "))
                       : QStringList{"failed: " + messages};
        };
        const auto every = [&] { // in the order of sending: pictures as their pages come
            QStringList commands;
            const QHash<QString, QString> shows{{"A.htm", "P1.jpg"}, {"B.htm", "P2.jpg"}};
            for (const QString& page : listedPages(setup.data)) {
                if (QFile::exists(setup.data.filePath(shows.value(page, "none"))))
                    commands << picture(shows.value(page));
            }
            commands << picture("banner.gif");
            for (const QString& page : listedPages(setup.data))
                commands << sent(page);
            return commands;
        };
        QCOMPARE(publish({}), every());
        QCOMPARE(run("-Check"), std::pair(0, QString("The website is whole: 4 pages read, "
                                                     "6 files checked.\n")));
        QCOMPARE(publish({}), sent(main));
        QVERIFY(messages.endsWith("Summary: 1 sent, 5 unchanged, 0 failed\n"));
        QVERIFY(writeFile(setup.data.filePath("B.dat"),
                          readFile(setup.data.filePath("B.dat")) + recordBytes("Added", "P2")));
        QCOMPARE(publish({}), sent("B.htm") + sent(main));
        QVERIFY(writeFile(setup.data.filePath("P1.jpg"), "P1 taken again"));
        QCOMPARE(publish({}), picture("P1.jpg") + sent(main));
        QVERIFY(writeFile(setup.data.filePath("P2.jpg"), "picture of P2"));
        QCOMPARE(publish({}), picture("P2.jpg") + sent(main));
        QVERIFY(QFile::remove(hostA)); // behind our back
        QCOMPARE(publish({}), sent("A.htm") + sent(main));
        QCOMPARE(publish({"-All"}), every());

        // -Check finds what is missing, differs or was left behind, and a
        // category the host's main page does not show yet. Then C's page is
        // offered; a page we never sent is never touched; our temporary file
        // that a killed run left is removed; the picture, the banner and D's
        // page go.
        QVERIFY(QFile::remove(setup.data.filePath("C.dat")) &&
                writeFile(setup.data.filePath("D.dat"), recordBytes("Dish")) &&
                QFile::remove(setup.server.localPath("/htdocs/P1.jpg")) &&
                writeFile(setup.server.localPath("/htdocs/banner.gif"), "GIF87a") &&
                writeFile(setup.server.localPath("/htdocs/Other.htm"), "not ours") &&
                writeFile(setup.server.localPath("/htdocs/B.htm.wareloom-upload"), "cut"));
        QCOMPARE(run("-Check"),
                 std::pair(1, QString("banner.gif (linked from inventory.htm) is 6 bytes on the "
                                      "host, but 13 bytes were sent.\n"
                                      "P1.jpg (linked from A.htm) is missing on the host; the "
                                      "next publish sends it.\n"
                                      "D.htm is not linked from the main page on the host (the "
                                      "next publish sends a main page that links it).\n"
                                      "B.htm.wareloom-upload is a temporary file left on the host "
                                      "by a publish that did not end (the next publish removes "
                                      "it).\n"
                                      "4 problems: 4 pages read, 7 files checked.\n")));
        QCOMPARE(publish({}), picture("P1.jpg") + picture("banner.gif") + sent("D.htm") + sent(main)
                                  << "DELE /htdocs/B.htm.wareloom-upload");
        QVERIFY(messages.contains("(-Prune deletes them):\n  C.htm\nSummary"));
        QCOMPARE(publish({"-Prune"}), sent(main) << "DELE /htdocs/C.htm");
        QVERIFY(!QFile::exists(setup.server.localPath("/htdocs/C.htm")) &&
                QFile::exists(setup.server.localPath("/htdocs/Other.htm")) &&
                !QFile::exists(setup.server.localPath("/htdocs/Q1.jpg")));
        QCOMPARE(publish({"-Prune"}), sent(main));
    }

    // -Prune deletes only plain names in the upload folder that this run's
    // listing shows with the size we sent, whatever Published.json says.
    void pruneDeletesOnlyOurOwn_data()
    {
        QTest::addColumn<QStringList>("fault");
        QTest::addColumn<QString>("said");
        QTest::newRow("folder listed") << QStringList() << "";
        QTest::newRow("folder not listable")
            << QStringList{"--list-reply", "550"} << "could not be listed (LIST /htdocs/: 550 ";
        QTest::newRow("listing over 16 MB")
            << QStringList{"--huge-listing"} << "the listing is longer than 16 MB): every page";
    }
    void pruneDeletesOnlyOurOwn()
    {
        QFETCH(QStringList, fault);
        QFETCH(QString, said);
        PublishSetup setup(fault);
        QVERIFY(setup.start({"A"}));
        const auto publish = [](const QStringList& switches) {
            QProcess program;
            program.start(QStringLiteral(WARELOOM_PROGRAM), QStringList{"-Publish"} + switches);
            program.waitForFinished(30000);
            return QString::fromLocal8Bit(program.readAllStandardError());
        };
        QVERIFY(publish({}).contains(said));
        const QStringList others{"/precious.htm", "/other/secret.htm", "/keep.htm",
                                 "/htdocs/handmade.htm"};
        for (const QString& file : others)
            QVERIFY(QDir().mkpath(QFileInfo(setup.server.localPath(file)).path()) &&
                    writeFile(setup.server.localPath(file), "not ours"));
        QFile json(setup.data.filePath("Published.json"));
        QVERIFY(json.open(QIODevice::ReadWrite));
        QJsonObject top = QJsonDocument::fromJson(json.readAll()).object();
        QJsonArray destinations = top["destinations"].toArray();
        QJsonObject entry = destinations[0].toObject(), files = entry["files"].toObject();
        for (const QString name : {"../precious.htm", "../other/secret.htm", "/keep.htm",
                                   "..\\precious.htm", "handmade.htm"})
            files[name] = QJsonObject{{"sha256", "00"}, {"size", 1234}};
        entry["files"] = files, destinations[0] = entry, top["destinations"] = destinations;
        QVERIFY(json.resize(0) && json.write(QJsonDocument(top).toJson()) > 0);
        json.close();
        QVERIFY(publish({"-Prune"}).contains(said));
        QVERIFY(setup.published(listedPages(setup.data)));
        QCOMPARE(setup.server.commands().filter("DELE "), QStringList());
        for (const QString& file : others)
            QCOMPARE(readFile(setup.server.localPath(file)), QByteArray("not ours"));
    }

    // Hosts that refuse a rename (or one onto an existing file), a second
    // login or active mode still get every page whole; nothing left behind.
    void getsPastHostLimits_data()
    {
        QTest::addColumn<QStringList>("fault");
        QTest::addColumn<int>("categories");
        QTest::addColumn<int>("refusalsSaid"); // by each run
        QTest::newRow("rename refused") << QStringList{"--rnto-reply", "553:"} << 3 << 1;
        // The old page is removed right before the rename.
        QTest::newRow("renames onto free names only") << QStringList{"--rnto-free-only"} << 3 << 0;
        QTest::newRow("one login at a time") << QStringList{"--one-session"} << 9 << 0;
        QTest::newRow("active mode refused") << QStringList{"--refuse-port"} << 9 << 0;
    }
    void getsPastHostLimits()
    {
        QFETCH(QStringList, fault);
        QFETCH(int, categories);
        QFETCH(int, refusalsSaid);
        PublishSetup setup(fault);
        QStringList names;
        for (int i = 0; i < categories; ++i)
            names << QString(QChar('A' + i));
        QVERIFY(setup.start(names));
        for (const char* sendAll : {"", "-All"}) {
            QProcess program;
            program.start(QStringLiteral(WARELOOM_PROGRAM), {"-Publish", sendAll});
            QVERIFY(program.waitForFinished(60000));
            const QString messages = QString::fromLocal8Bit(program.readAllStandardError());
            QVERIFY2(program.exitCode() == 0, qPrintable(messages));
            QCOMPARE(messages.count("The server does not rename files"), refusalsSaid);
        }
        QVERIFY(setup.published(listedPages(setup.data)));
        QCOMPARE(QDir(setup.server.localPath("/htdocs")).entryList(QDir::Files).size(),
                 categories + 1);
        QCOMPARE(setup.server.received({"(session refused)"}), fault[0] == "--one-session");
        // Once (EPRT, then PORT): the extra connections and the next run start passive.
        if (fault[0] == "--refuse-port")
            QCOMPARE(setup.server.commands().filter(QRegularExpression("^(EPRT|PORT)")).size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestHeadlessPublish)
#include "tst_headlesspublish.moc"
