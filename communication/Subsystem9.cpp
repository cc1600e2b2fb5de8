#include "communication/Subsystem9.h"

#include "core/ui/MessageService.h"

namespace communication {

namespace {

constexpr int kGeneralFailure = -100;

class StandInSender : public ICashBookSender {
public:
    void SetSendKind(int) override {}
    void SetSendMode(int) override {}
    void Execute() override { core::showMessage(core::MessageKind::Error, kNotYetAvailable); }
    int GetSyoriResult() const override { return kGeneralFailure; }
};

class StandInLoader : public ICashBookLoaderBox {
public:
    void SetReceiveKind(int) override {}
    void SetMergeMode(int) override {}
    void SetReceiveDataFile(const QString&) override {}
    int ShowModal() override
    {
        core::showMessage(core::MessageKind::Error, kNotYetAvailable);
        return core::mrCancel;
    }
    void ExecuteSilent() override { core::showMessage(core::MessageKind::Error, kNotYetAvailable); }
    int GetSyoriResult() const override { return kGeneralFailure; }
};

class StandInUpload : public IFtpWebDbSqlDump {
public:
    QString UploadDump(const QString&, int) override { return QStringLiteral("999"); }
    QString StatusCodeMessage(const QString&) const override { return kNotYetAvailable; }
};

} // namespace

TSubsystem9Factories StandInFactories()
{
    return {[] { return std::make_unique<StandInSender>(); }, [] { return std::make_unique<StandInLoader>(); },
            [] { return std::make_unique<StandInUpload>(); }};
}

} // namespace communication
