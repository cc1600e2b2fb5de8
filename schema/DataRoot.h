#pragma once
// The folder layout the program expects under a data root: SYSDIR = <root>/data holds the
// system database qmaccdef.fdb and the file-management database qmfileman.fdb; every
// company data set lives in SYSDIR/nnnn (the number of its registry row, four digits) with
// its qmacc.fdb and the information file qmacc.ini.

#include "schema/DbAccount.h"

#include <QString>

namespace schema {

// An operator who can log in to the link program: login codes start at 10, and the login
// procedure compares the password exactly as typed.
struct OperatorSpec {
    int code = 10;
    QString name = QStringLiteral("テスト担当者");
    QString password = QStringLiteral("test");
    int jobLevel = 9; // 9 = administrator
};

class DataRoot {
public:
    static constexpr int defaultGroup = 10000;
    static constexpr int listCapacity = 120; // rows of the standard data list

    DataRoot(const DbAccount& account, const QString& root);

    const DbAccount& account() const { return account_; }
    QString root() const { return root_; }
    QString sysDir() const;
    QString systemDatabasePath() const;
    QString fileManDatabasePath() const;
    QString dataFolder(int rec) const; // SYSDIR/0001 for rec 1

    // Makes SYSDIR, the system database with its empty registry rows 1..listCapacity (through
    // SP_DATALIST_INSERT) and the operator, and the file-management database. Existing
    // database files are an error: nothing is overwritten.
    void create(const OperatorSpec& op = {});

private:
    DbAccount account_;
    QString root_;
};

} // namespace schema
