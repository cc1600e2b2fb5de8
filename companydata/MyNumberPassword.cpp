// The My Number management password prompt.
#include "companydata/MyNumberIO.h"

#include "core/Globals.h"
#include "core/text/SjisText.h"
#include "core/ui/MessageService.h"

namespace companydata {

namespace {

constexpr int kPasswordAttempts = 3;
constexpr quint32 kRed = 255; // 0x00BBGGRR

} // namespace

bool AskMyNumberPassword(const QString& storedPassword) {
    if (core::SystemDef.MyNumberAdmin != 1)
        return true;
    if (storedPassword.isEmpty())
        return false;
    core::TextRequest request;
    request.caption = QStringLiteral("マイナンバー管理パスワードの確認");
    request.prompt = QStringLiteral("マイナンバー管理パスワードを入力して下さい。");
    request.password = true;
    request.maxLength = 8;
    request.imeOff = true;
    request.centerOnScreen = true;
    request.hint = QStringLiteral("パスワード(英数字8文字以内)を入力し、[OK]ボタンを押して下さい。"
                                  "3回続けて失敗すると呼出し元の画面に戻ります。");
    for (int attempt = 1; attempt <= kPasswordAttempts; ++attempt) {
        if (attempt > 1) {
            request.prompt = QStringLiteral("正しいパスワードを入力して下さい。");
            request.promptColor = kRed;
            request.initialText.clear();
        }
        const std::optional<QString> input = core::askText(request);
        if (!input)
            return false;
        if (core::TrimZenkaku(*input) == storedPassword)
            return true;
    }
    return false;
}

} // namespace companydata
