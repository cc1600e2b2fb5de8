#pragma once
// The Firebird client entry points of the database layer and the one place where a Firebird
// status becomes an EIBError. Every call into the client runs inside fbCall(), so that no
// Firebird::FbException leaves the layer.

#include "core/EIBError.h"

#include <firebird/Interface.h>

#include <QString>

#include <type_traits>
#include <utility>

namespace core {

// Codes the layer raises itself (the same codes the server uses for the same fault).
namespace isc {
constexpr long bad_db_handle = 335544324;          // no active connection
constexpr long bad_dpb_form = 335544326;           // unrecognized database parameter
constexpr long bad_tpb_form = 335544331;           // unrecognized transaction parameter
constexpr long bad_trans_handle = 335544332;       // no active transaction
constexpr long convert_error = 335544334;          // conversion error from string
constexpr long arith_except = 335544321;           // arithmetic exception, numeric overflow
constexpr long dsql_field_err = 335544578;         // column (or parameter) unknown
constexpr long transliteration_failed = 335544565; // cannot transliterate character
constexpr long bad_svc_handle = 335544559;         // no service attachment
constexpr long bad_spb_form = 335544562;           // unrecognized service parameter or answer
constexpr long gbak_unexp_eof = 336330802;         // backup file ends early
} // namespace isc

Firebird::IMaster* fbMaster();

// The error a status vector describes: its first gds code, its SQL code and every line of
// its text joined with " ".
EIBError toEIBError(Firebird::IStatus* status);

// Text from the server (error lines, service output): file names come in the bytes of the
// file system (UTF-8), other text in CP932; a line that is valid UTF-8 is read as such.
QString decodeServerText(const QByteArray& bytes);

// An error the layer detects itself, with the SQL code Firebird gives the same gds code
// (0 when the code is 0).
EIBError layerError(long ibErrorCode, const QString& message);

// A status object for one call sequence, disposed at scope end.
class FbStatus {
public:
    FbStatus() : status_(fbMaster()->getStatus()), wrapper_(status_) {}
    ~FbStatus() { status_->dispose(); }
    FbStatus(const FbStatus&) = delete;
    FbStatus& operator=(const FbStatus&) = delete;

    Firebird::ThrowStatusWrapper* get() { return &wrapper_; }

private:
    Firebird::IStatus* status_;
    Firebird::ThrowStatusWrapper wrapper_;
};

// Runs f(ThrowStatusWrapper*) and turns a Firebird exception into EIBError.
template <typename F>
decltype(auto) fbCall(F&& f) {
    FbStatus status;
    try {
        return std::forward<F>(f)(status.get());
    } catch (const Firebird::FbException& e) {
        throw toEIBError(e.getStatus());
    }
}

// Ends an interface with a close-like call (close, free, detach), which releases it on
// success; when the call fails, the interface is released all the same and nothing is thrown.
template <typename T, typename F>
void endQuietly(T* object, F&& end) {
    FbStatus status;
    try {
        end(object, status.get());
    } catch (const Firebird::FbException&) {
        object->release();
    }
}

// Releases (or disposes) a Firebird interface at scope end unless taken.
template <typename T>
class FbRef {
public:
    FbRef() = default;
    explicit FbRef(T* p) : p_(p) {}
    ~FbRef() { reset(); }
    FbRef(FbRef&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    FbRef& operator=(FbRef&& o) noexcept {
        if (this != &o) {
            reset();
            p_ = std::exchange(o.p_, nullptr);
        }
        return *this;
    }
    FbRef(const FbRef&) = delete;
    FbRef& operator=(const FbRef&) = delete;

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    T* take() { return std::exchange(p_, nullptr); }
    void reset(T* p = nullptr) {
        if (p_) {
            if constexpr (std::is_base_of_v<Firebird::IDisposable, T>)
                p_->dispose();
            else
                p_->release();
        }
        p_ = p;
    }

private:
    T* p_ = nullptr;
};

} // namespace core
