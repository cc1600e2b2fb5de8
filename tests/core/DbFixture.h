#pragma once
// Database tests run twice: on the embedded engine (a plain file path) and through the
// loopback server ("localhost:" + path; skipped locally and failing under CI when no server
// is configured). Every test gets its own files in a temporary folder.

#include "core/db/IBDatabase.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "QtPrinters.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <memory>
#include <ostream>
#include <string>

namespace dbtest {

enum class Engine { Embedded, Server };

inline std::string engineName(const testing::TestParamInfo<Engine>& info) {
    return info.param == Engine::Embedded ? "Embedded" : "Server";
}

class DbFixture : public testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        if (GetParam() == Engine::Server) {
            TAXLINK_REQUIRE_SERVER(account);
            prefix_ = account.host + QLatin1Char(':');
            user_ = account.user;
            password_ = account.password;
        }
    }

    QString path(const QString& file) const { return dir_.path() + QLatin1Char('/') + file; }
    QString databaseName(const QString& file) const { return prefix_ + path(file); }

    void configure(core::TIBDatabase& db, const QString& file) const {
        db.setDatabaseName(databaseName(file));
        db.params() = QStringList{QStringLiteral("user_name=") + user_, QStringLiteral("password=") + password_,
                                  QStringLiteral("lc_ctype=SJIS_0208")};
        db.setSQLDialect(3);
        db.setLoginPrompt(false);
    }

    std::unique_ptr<core::TIBDatabase> create(const QString& file = QStringLiteral("test.fdb")) const {
        auto db = std::make_unique<core::TIBDatabase>();
        configure(*db, file);
        db->createDatabase();
        return db;
    }

    std::unique_ptr<core::TIBDatabase> connect(const QString& file = QStringLiteral("test.fdb")) const {
        auto db = std::make_unique<core::TIBDatabase>();
        configure(*db, file);
        db->open();
        return db;
    }

    // Runs each statement in a transaction of its own, committed.
    static void run(core::TIBDatabase& db, const QStringList& statements) {
        for (const QString& sql : statements) {
            core::TIBTransaction t;
            t.addDatabase(&db);
            t.startTransaction();
            core::TIBSQL q(&db, &t);
            q.setParamCheck(false);
            q.sql().append(sql);
            q.execQuery();
            t.commit();
        }
    }

    // The first column of the first row, read in a transaction of its own.
    static QString scalar(core::TIBDatabase& db, const QString& sql) {
        core::TIBTransaction t;
        t.addDatabase(&db);
        t.startTransaction();
        core::TIBSQL q(&db, &t);
        q.sql().append(sql);
        q.execQuery();
        return q.eof() ? QStringLiteral("<no row>") : q.fields(0).asString();
    }

    QTemporaryDir dir_;
    QString prefix_;
    QString user_ = QStringLiteral("TALLEK");
    QString password_ = QStringLiteral("vorbin");
};

} // namespace dbtest
