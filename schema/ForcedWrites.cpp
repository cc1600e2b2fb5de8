#include "schema/ForcedWrites.h"

#include <firebird/Interface.h>

#include <QByteArray>

#include <stdexcept>

namespace schema {

void setForcedWrites(const DbAccount& account, const QString& path, bool on) {
    Firebird::IMaster* master = Firebird::fb_get_master_interface();
    Firebird::IStatus* status = master->getStatus();
    Firebird::ThrowStatusWrapper st(status);
    Firebird::IXpbBuilder* dpb = nullptr;
    Firebird::IProvider* provider = master->getDispatcher();
    try {
        dpb = master->getUtilInterface()->getXpbBuilder(&st, Firebird::IXpbBuilder::DPB, nullptr, 0);
        dpb->insertString(&st, isc_dpb_user_name, account.user.toUtf8().constData());
        dpb->insertString(&st, isc_dpb_password, account.password.toUtf8().constData());
        dpb->insertInt(&st, isc_dpb_force_write, on ? 1 : 0);
        const QByteArray name = databaseName(account, path).toLocal8Bit();
        Firebird::IAttachment* att =
            provider->attachDatabase(&st, name.constData(), dpb->getBufferLength(&st), dpb->getBuffer(&st));
        att->detach(&st);
        dpb->dispose();
        provider->release();
        status->dispose();
    } catch (const Firebird::FbException& e) {
        char text[1024];
        master->getUtilInterface()->formatStatus(text, sizeof text, e.getStatus());
        if (dpb)
            dpb->dispose();
        provider->release();
        status->dispose();
        throw std::runtime_error(std::string("cannot set the write mode of ") + path.toStdString() + ": " + text);
    }
}

} // namespace schema
