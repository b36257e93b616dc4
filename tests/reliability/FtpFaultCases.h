#pragma once

// The ways a web host fails, as ftp_server.py plays them, shared by the fault
// tests: every upload and every remote deletion is tried against each.

#include <QStringList>
#include <QTest>

namespace wareloom::test {

// Faults of a STOR; name limits a fault to paths that contain it.
inline void addUploadFaultRows(const QString& name = QStringLiteral("/"))
{
    QTest::newRow("STOR answered 451") << QStringList{"--stor-reply", "451:" + name};
    QTest::newRow("STOR answered 553") << QStringList{"--stor-reply", "553:" + name};
    QTest::newRow("dropped in the middle of a STOR") << QStringList{"--drop-stor", name};
    QTest::newRow("server never answers") << QStringList{"--silent"};
    QTest::newRow("server reads a byte a second") << QStringList{"--slow-read", "1"};
}

inline void addDeletionFaultRows()
{
    QTest::newRow("DELE answered 450") << QStringList{"--dele-reply", "450"};
    QTest::newRow("DELE answered 550") << QStringList{"--dele-reply", "550"};
    QTest::newRow("server never answers") << QStringList{"--silent"};
}

// Large enough that a slowly reading server holds the upload up.
inline QByteArray largeUpload()
{
    QByteArray bytes(4 << 20, '\0');
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = char(i * 7 % 251);
    return bytes;
}

} // namespace wareloom::test
