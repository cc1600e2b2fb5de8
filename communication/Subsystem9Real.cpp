#include "communication/Subsystem9.h"

#include "cloudexchange/CashBookLoaderBox.h"
#include "cloudexchange/CashBookSender.h"
#include "cloudexchange/analysis/FtpWebDbSqlDump.h"

#include <QApplication>

namespace communication {

namespace {

class CashBookSender : public ICashBookSender {
public:
    void SetSendKind(int kind) override { sender_.SendKind = quint8(kind); }
    void SetSendMode(int mode) override { sender_.SendMode = quint8(mode); }
    void Execute() override { sender_.Execute(); }
    int GetSyoriResult() const override { return const_cast<cloudexchange::TCashBookSender&>(sender_).GetSyoriResult(); }

private:
    cloudexchange::TCashBookSender sender_;
};

class CashBookLoaderBox : public ICashBookLoaderBox {
public:
    CashBookLoaderBox() : box_(QApplication::activeWindow()) {}
    void SetReceiveKind(int kind) override { box_.ReceiveKind = quint8(kind); }
    void SetMergeMode(int mode) override { box_.MergeMode = quint8(mode); }
    void SetReceiveDataFile(const QString& databaseFile) override { box_.SetReceiveDataFile(databaseFile); }
    int ShowModal() override { return box_.exec(); }
    void ExecuteSilent() override { box_.ExecuteSilent(); }
    int GetSyoriResult() const override { return const_cast<cloudexchange::TCashBookLoaderBox&>(box_).GetSyoriResult(); }

private:
    cloudexchange::TCashBookLoaderBox box_;
};

class FtpWebDbSqlDump : public IFtpWebDbSqlDump {
public:
    QString UploadDump(const QString& communicationId, int line) override {
        return upload_.UploadDump(communicationId, line);
    }
    QString StatusCodeMessage(const QString& code) const override {
        return cloudexchange::TFtpWebDbSqlDump::StatusCodeMessage(code);
    }

private:
    cloudexchange::TFtpWebDbSqlDump upload_;
};

} // namespace

TSubsystem9Factories RealFactories()
{
    return {[] { return std::make_unique<CashBookSender>(); }, [] { return std::make_unique<CashBookLoaderBox>(); },
            [] { return std::make_unique<FtpWebDbSqlDump>(); }};
}

} // namespace communication
