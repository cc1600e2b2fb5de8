// The processing log: the result rule and the bytes of its export.
#include "cloudexchange/CashBookSyoriLog.h"
#include "core/os/ShellDialogs.h"
#include "platform/Cp932.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace cloudexchange;

namespace {

core::TTessaroSyoriLog logOf(std::initializer_list<std::pair<quint8, qint32>> rows) {
    core::TTessaroSyoriLog log;
    for (const auto& [kind, code] : rows)
        log << core::TTessaroSyoriInfo{QString(), kind, code, QStringLiteral("t")};
    return log;
}

} // namespace

TEST(SyoriLogTest, ResultRule) {
    struct Case {
        core::TTessaroSyoriLog log;
        qint32 expected;
    };
    const Case cases[] = {
        {logOf({}), 0},
        {logOf({{skWarning, 11}, {skWarning, 201}}), 201},  // warnings only: the last
        {logOf({{skWarning, 101}, {skError, -105}}), -105}, // a warning does not decide
        {logOf({{skWarning, 201}, {skInfo, 1}}), 1},
        {logOf({{skInfo, 1}, {skError, -100}}), -100},     // an error after success wins
        {logOf({{skError, -104}, {skError, -103}}), -104},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SyoriResultOf(c.log), c.expected) << c.log.size();
}

TEST(SyoriLogTest, OwnerAddsCopiesWithoutNameAndRecomputes) {
    TSyoriLogOwner owner(QStringLiteral("CashBookSender"));
    QStringList seen;
    owner.RowAdded = [&](const core::TTessaroSyoriInfo& row) { seen << row.Text; };
    owner.AddSyoriLog(skWarning, 201, QStringLiteral("差"));
    EXPECT_EQ(owner.SyoriResult, 201);
    owner.AddSyoriLog(skError, -100, QStringLiteral("失敗"));
    EXPECT_EQ(owner.SyoriResult, -100);
    EXPECT_EQ(owner.SyoriInfo.Name, QStringLiteral("CashBookSender"));
    EXPECT_TRUE(owner.SyoriLog[0].Name.isEmpty());
    EXPECT_EQ(seen, (QStringList{QStringLiteral("差"), QStringLiteral("失敗")}));
    owner.InitSyori();
    EXPECT_EQ(owner.GetSyoriResult(), 0);
}

TEST(SyoriLogTest, ExportEscapesWhatWouldBreakARow) {
    core::TTessaroSyoriLog log;
    log << core::TTessaroSyoriInfo{QString(), skError, -100, QStringLiteral("摘要:a,b 'x'\t原因: 1行目\r\n2行目")};
    log << core::TTessaroSyoriInfo{QString(), skNone, 0, QString()};
    EXPECT_EQ(SyoriLogExportBytes(log, false),
              platform::toCp932(QStringLiteral("'エラー','-100','摘要:a,b ''x''\t原因: 1行目\r\n2行目',\r\n\r\n"
                                               "'','0','',\r\n\r\n")));
    EXPECT_EQ(SyoriLogExportBytes(log, true),
              platform::toCp932(QStringLiteral("エラー\t-100\t摘要:a,b 'x' 原因: 1行目  2行目\t\r\n\r\n"
                                               "\t0\t\t\r\n\r\n")));
}

namespace {

// A save dialog that answers from a script; every folder counts as writable.
class ScriptedSave : public core::ShellDialogs {
public:
    std::optional<QString> answer;
    QList<core::TSaveDialog> runs;
    std::optional<QString> browseFolder(const core::TFolderBrowseRequest&) override { return std::nullopt; }
    std::optional<QString> browseComputer(const QString&) override { return std::nullopt; }
    std::optional<QString> runSaveDialog(const core::TSaveDialog& dialog) override {
        runs << dialog;
        return answer;
    }
    bool isWritableFolder(const QString&) override { return true; }
};

} // namespace

TEST(SyoriLogTest, ExportThroughTheSaveDialog) {
    QTemporaryDir dir;
    ScriptedSave shell;
    core::ShellDialogs* previous = core::setShellDialogs(&shell);
    core::TTessaroSyoriLog log;
    log << core::TTessaroSyoriInfo{QString(), skInfo, 1, QStringLiteral("取り込み処理が成功しました。")};
    EXPECT_FALSE(ExportSyoriLog(log)); // cancelled
    ASSERT_EQ(shell.runs.size(), 1);
    EXPECT_EQ(shell.runs[0].Title, QStringLiteral("ファイル出力"));
    EXPECT_EQ(shell.runs[0].FileName, QStringLiteral("現金出納帳の受信ログ"));
    EXPECT_EQ(shell.runs[0].DefaultExt, QStringLiteral("csv"));
    for (const char* name : {"log.csv", "log.txt"}) {
        shell.answer = dir.filePath(QLatin1String(name));
        EXPECT_TRUE(ExportSyoriLog(log));
        QFile file(*shell.answer);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), SyoriLogExportBytes(log, QLatin1String(name).endsWith(QLatin1String("txt"))));
    }
    core::setShellDialogs(previous);
}
