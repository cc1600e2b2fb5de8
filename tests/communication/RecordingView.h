#pragma once
// A view of the data-communication operations that records what they ask of their windows and
// answers the password confirmation, the consent box and the web-meeting question from fields.

#include "communication/DataTusinView.h"

#include <QStringList>

namespace testsupport {

class RecordingView : public communication::IDataTusinView {
public:
    QStringList calls;
    int selectedRow = -1;
    bool passwordAnswer = true;
    bool consentAnswer = true;
    int confirmBeforeSend = 1;
    QString expectedPassword; // the password last given to the confirmation
    QStringList consentDetails;

    void StepWindowOpen(const QStringList& captions, const QString& caption) override
    {
        calls << QStringLiteral("StepWindowOpen ") + captions.join(QLatin1Char('|'));
    }
    void StepWindowSet(int box, communication::StepState state, const QString& caption) override
    {
        calls << QStringLiteral("Step %1 %2 %3").arg(box).arg(int(state)).arg(caption);
    }
    void StepWindowClose() override { calls << QStringLiteral("StepWindowClose"); }
    void BusyShow(const QString& caption, const QString& info) override { calls << QStringLiteral("BusyShow ") + caption; }
    void BusyInfo(const QString& info) override { calls << QStringLiteral("BusyInfo ") + info; }
    void BusyClose() override { calls << QStringLiteral("BusyClose"); }
    bool ConfirmPassword(const QString&, const QString&, const QString&, const QString& expected) override
    {
        expectedPassword = expected;
        calls << QStringLiteral("ConfirmPassword");
        return passwordAnswer;
    }
    bool Consent(const QString& caption, const QString& text, const QStringList& details, const QString& agree,
                 bool) override
    {
        consentDetails = details;
        calls << QStringLiteral("Consent ") + agree;
        return consentAnswer;
    }
    int ConfirmBeforeSend() override
    {
        calls << QStringLiteral("ConfirmBeforeSend");
        return confirmBeforeSend;
    }
    void ResetAfterSend() override { calls << QStringLiteral("ResetAfterSend"); }
    int SelectedRow() const override { return selectedRow; }
    void SetDialogEnabled(bool enabled) override { calls << QStringLiteral("DialogEnabled %1").arg(enabled); }
    void SetExecuteKeysEnabled(bool f12, bool f5) override { calls << QStringLiteral("Keys %1 %2").arg(f12).arg(f5); }
    void SetNotTopmost(bool shown) override { calls << QStringLiteral("NotTopmost"); }
    void SetBusyCursor(bool) override {}
};

} // namespace testsupport
