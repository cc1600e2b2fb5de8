#pragma once
// The classes of the analysis-cloud upload and the cash-book exchange that the data
// communication runs, reached through factories of the module, so that tests can put
// scripted ones in their place. The program's factories make the real classes of
// cloudexchange/; the stand-ins say "この機能はまだ使用できません。" and fail.

#include <QString>

#include <functional>
#include <memory>

namespace communication {

// TCashBookSender: prepares or completes a cash-book send; GetSyoriResult below 1 is a failure
// that the sender has already shown.
class ICashBookSender {
public:
    virtual ~ICashBookSender() = default;
    virtual void SetSendKind(int kind) = 0;
    virtual void SetSendMode(int mode) = 0;
    virtual void Execute() = 0;
    virtual int GetSyoriResult() const = 0;
};

// TCashBookLoaderBox: the take-in of a received data set; GetSyoriResult 1 is "taken in".
class ICashBookLoaderBox {
public:
    virtual ~ICashBookLoaderBox() = default;
    virtual void SetReceiveKind(int kind) = 0;
    virtual void SetMergeMode(int mode) = 0;
    virtual void SetReceiveDataFile(const QString& databaseFile) = 0;
    virtual int ShowModal() = 0; // the modal result; 1 OK
    virtual void ExecuteSilent() = 0;
    virtual int GetSyoriResult() const = 0;
};

// TFtpWebDbSqlDump: the analysis-cloud upload; "000" is success.
class IFtpWebDbSqlDump {
public:
    virtual ~IFtpWebDbSqlDump() = default;
    virtual QString UploadDump(const QString& communicationId, int line) = 0;
    virtual QString StatusCodeMessage(const QString& code) const = 0;
};

struct TSubsystem9Factories {
    std::function<std::unique_ptr<ICashBookSender>()> NewCashBookSender;
    std::function<std::unique_ptr<ICashBookLoaderBox>()> NewCashBookLoaderBox;
    std::function<std::unique_ptr<IFtpWebDbSqlDump>()> NewFtpWebDbSqlDump;
};

// The factories of the real classes.
TSubsystem9Factories RealFactories();

// The factories of stand-ins.
TSubsystem9Factories StandInFactories();

// The text of the stand-ins.
inline const QString kNotYetAvailable = QStringLiteral("この機能はまだ使用できません。");

} // namespace communication
