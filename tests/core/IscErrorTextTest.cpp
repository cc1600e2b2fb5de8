#include "core/EIBError.h"
#include "core/errors/IscErrorText.h"

#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <QSet>

#include <limits>

using core::GetIscErrorText;

namespace {

const QString blank = QStringLiteral(" ");

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

} // namespace

TEST(IscErrorText, GivesTheFixedExplanationsWhateverTheSqlCode) {
    const struct {
        qint32 code;
        const char* text;
    } cases[] = {
        {335544321, "（算術式の例外，数値のオーバーフロー，文字列の切り捨てのいずれかが発生しました）"},
        {335544335, "（データベースファイルが破損している可能性があります"}, // no closing parenthesis
        {335544345, "（NO WAIT トランザクションのロックが衝突しています）"},
        {335544349, "（指定のコード（索引）は既に登録されています。『索引は重複値を格納できません』）"},
        {335544436, "（SQL エラーコード= <long>）"},
        {335544466, "（他のテーブルが参照しているか？ 又は、マスターが登録されていません。,『キーの追加・削除・変更はできません』）"},
        {335544558, "（ビューまたはテーブルに対する，CHECK 制約<\"\"> に違反しています）"},
        {335544665, "（同じコードが登録されています。「PRIMARY KEY またはUNIQUE KEY 制約に違反」）"},
        {335544689, "（InterBase エラー）"},
        {336330766, "（データベースの上書きはできません。）"},
        // Rows written from Firebird's own messages.
        {335544384, "（内部エラー）"},
        {335544579, "（内部エラー）"},
        {335544510, "（WAIT トランザクションのロックがタイムアウトしました）"},
        {335544701, "（符号なし短整数が必要です）"},
    };
    for (const auto& c : cases)
        for (const qint32 sqlCode : {0, -901, -902, -913})
            EXPECT_EQ(GetIscErrorText(c.code, sqlCode), text(c.text)) << c.code << " sql " << sqlCode;
}

TEST(IscErrorText, TwoRowsExplainOnlyWithTheirSqlCode) {
    const QString notOwner = text("（操作を実行することができません。データベースのSYSDBAか所有者のどちらかでなければなりません。）");
    const QString fullWidth = text("（ディレクトリ名・データーベスに全角文字は使用できません。）");
    EXPECT_EQ(GetIscErrorText(335544788, -901), notOwner);
    EXPECT_EQ(GetIscErrorText(335544788, -902), blank);
    EXPECT_EQ(GetIscErrorText(335544788, 0), blank);
    EXPECT_EQ(GetIscErrorText(336330817, -902), fullWidth);
    EXPECT_EQ(GetIscErrorText(336330817, -901), blank);
    EXPECT_EQ(GetIscErrorText(336330817, 0), blank);
}

TEST(IscErrorText, CodesWithoutRowGiveABlank) {
    const qint32 codes[] = {
        335544379, 335544385, 335544387, 335544398, 335544402, 335544417, 335544422, 335544423,
        335544440, 335544448, 335544449, 335544468, 335544505, // gaps in the table
        335544320, 335544702, 335544721, 335544787, 335544789, 336330765, 336330818, // beside its ends
        0, -1, -335544345, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max(),
    };
    for (const qint32 code : codes)
        EXPECT_EQ(GetIscErrorText(code, -901), blank) << code;
    EXPECT_EQ(GetIscErrorText(335544450, -901), blank); // its row holds the blank itself
}

TEST(IscErrorText, TableHolds368RowsInStrictlyAscendingOrder) {
    const auto rows = core::iscErrorTextRows();
    ASSERT_EQ(rows.size(), 368u);
    EXPECT_EQ(rows.front().code, 335544321);
    EXPECT_EQ(rows.back().code, 336330817);
    for (size_t i = 1; i < rows.size(); ++i)
        EXPECT_LT(rows[i - 1].code, rows[i].code) << "row " << i;
}

// Every explanation must reach Shift-JIS logs and message boxes intact: one line, CP932-encodable,
// in full-width parentheses (the two rows that are not are kept as the program has always shown them).
TEST(IscErrorText, EveryTextIsOneShiftJisLineInParentheses) {
    const QSet<qint32> unbracketed = {335544335, 335544450};
    for (const auto& row : core::iscErrorTextRows()) {
        const QString t = text(row.text);
        EXPECT_FALSE(t.contains(u'\n') || t.contains(u'\r')) << row.code;
        EXPECT_NO_THROW(platform::toCp932(t)) << row.code;
        EXPECT_EQ(platform::fromCp932(platform::toCp932(t)), t) << row.code;
        if (!unbracketed.contains(row.code)) {
            EXPECT_TRUE(t.startsWith(u'（') && t.endsWith(u'）')) << row.code;
            EXPECT_FALSE(t.contains(u'@')) << row.code; // parameters show as <""> or <long>, never filled in
        }
    }
}

// The explanation of a file that is not a database names the file its message names.
TEST(IscErrorText, FileErrorsNameTheFile) {
    const struct {
        long code;
        const char* message;
        const char* text;
    } cases[] = {
        {335544323, "file /data/0001/qmacc.fdb is not a valid database",
         "（ファイル<\"/data/0001/qmacc.fdb\"> は有効なデータベースではありません）"},
        {335544323, "file /data/会計 データ/qmacc.fdb is not a valid database",
         "（ファイル<\"/data/会計 データ/qmacc.fdb\"> は有効なデータベースではありません）"},
        {335544323, "not a valid database", "（ファイル<\"\"> は有効なデータベースではありません）"},
        {335544344, "I/O error during \"open\" operation for file \"/x.fdb\"", "（ファイルの入出力エラーが発生しました）"},
        {335544558, "Operation violates CHECK constraint C on view or table T",
         "（ビューまたはテーブルに対する，CHECK 制約<\"\"> に違反しています）"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(core::IscErrorTextOf(core::EIBError(c.code, -902, QString::fromUtf8(c.message))), text(c.text));
    }
}
