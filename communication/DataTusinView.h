#pragma once
// What the data-communication operations need of their windows. The form implements it; the
// tests record the calls. Messages themselves go through the program's message service.

#include <QString>
#include <QStringList>

namespace communication {

enum class StepState { Idle, Running, Finished };

class IDataTusinView {
public:
    virtual ~IDataTusinView() = default;

    // The step window of a transfer: box captions 1 to 5 (an empty caption hides the box),
    // the window's caption (empty: the usual one).
    virtual void StepWindowOpen(const QStringList& captions, const QString& caption) = 0;
    virtual void StepWindowSet(int box, StepState state, const QString& caption) = 0;
    virtual void StepWindowClose() = 0;

    // The busy dialog over the dialog (caption, information line).
    virtual void BusyShow(const QString& caption, const QString& info) = 0;
    virtual void BusyInfo(const QString& info) = 0;
    virtual void BusyClose() = 0;

    // The password confirmation: true when it closed with OK after the expected password.
    virtual bool ConfirmPassword(const QString& caption, const QString& checkCaption, const QString& hint,
                                 const QString& expected) = 0;
    // The consent box of the collation: true when the user agreed and pressed OK.
    virtual bool Consent(const QString& caption, const QString& text, const QStringList& details,
                         const QString& agreeCaption, bool screenCentre) = 0;

    // The web-meeting settings around a relay send: ConfirmBeforeSend 2 stops the send.
    virtual int ConfirmBeforeSend() = 0;
    virtual void ResetAfterSend() = 0;

    // The list's selected row (0-based); -1 when none.
    virtual int SelectedRow() const = 0;
    virtual void SetDialogEnabled(bool enabled) = 0;
    virtual void SetExecuteKeysEnabled(bool f12, bool f5) = 0;
    // Takes the dialog out of the top-most band (and brings it forward when shown is true).
    virtual void SetNotTopmost(bool shown) = 0;
    // Hourglass on or off.
    virtual void SetBusyCursor(bool busy) = 0;
};

} // namespace communication
