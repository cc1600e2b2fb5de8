#pragma once
// The little of the Firebird UDR interface that the routines need, written against
// firebird/Interface.h: a routine is a struct with its input and output message (In, Out),
// their field lists (inFields(), outFields()) and a static run(context, in, out); a factory
// template turns it into a function or a one-row selectable procedure. (The engine's C++
// helper header would bring in Boost for its message macros; these few templates do without.)
//
// Message structs follow the engine's layout: each value followed by its ISC_SHORT null flag,
// at natural alignment. describe() checks that the engine agrees before a routine is used.

#include <ibase.h>
#include <firebird/Interface.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

namespace taxlink_udr {

using Status = Firebird::ThrowStatusWrapper;

constexpr unsigned kUtf8 = 4; // character set id of UTF8

template <unsigned N>
struct VarChar {
    ISC_USHORT length;
    char str[N];

    std::string text() const { return std::string(str, length <= N ? length : N); }
    void set(const char* bytes, unsigned size) {
        length = ISC_USHORT(size <= N ? size : N);
        std::memcpy(str, bytes, length);
    }
};

struct Field {
    unsigned type;    // SQL_VARYING, SQL_LONG, SQL_BLOB
    unsigned length;  // bytes of the value (a VARCHAR's without its length word)
    unsigned charSet; // for text
    size_t offset;
    size_t nullOffset;
};

#define TAXLINK_UDR_TEXT(Message, name, bytes)                                                              \
    ::taxlink_udr::Field { SQL_VARYING, bytes, ::taxlink_udr::kUtf8, offsetof(Message, name), offsetof(Message, name##Null) }
#define TAXLINK_UDR_INTEGER(Message, name)                                                                  \
    ::taxlink_udr::Field { SQL_LONG, sizeof(ISC_LONG), 0, offsetof(Message, name), offsetof(Message, name##Null) }
#define TAXLINK_UDR_BLOB(Message, name)                                                                     \
    ::taxlink_udr::Field { SQL_BLOB, sizeof(ISC_QUAD), 0, offsetof(Message, name), offsetof(Message, name##Null) }

// Gives the engine the message format; raises a database error when the engine would place
// a field elsewhere than the struct does (a build fault, found at the first use).
void describe(Status* status, Firebird::IMetadataBuilder* builder, const std::vector<Field>& fields);

template <typename Routine>
class Function : public Firebird::IExternalFunctionImpl<Function<Routine>, Status> {
public:
    void dispose() override { delete this; }
    void getCharSet(Status*, Firebird::IExternalContext*, char*, unsigned) override {}
    void execute(Status*, Firebird::IExternalContext* context, void* in, void* out) override {
        Routine::run(context, static_cast<const typename Routine::In*>(in), static_cast<typename Routine::Out*>(out));
    }
};

template <typename Routine>
class FunctionFactory : public Firebird::IUdrFunctionFactoryImpl<FunctionFactory<Routine>, Status> {
public:
    void dispose() override {} // static
    void setup(Status* status, Firebird::IExternalContext*, Firebird::IRoutineMetadata*,
               Firebird::IMetadataBuilder* in, Firebird::IMetadataBuilder* out) override {
        describe(status, in, Routine::inFields());
        describe(status, out, Routine::outFields());
    }
    Firebird::IExternalFunction* newItem(Status*, Firebird::IExternalContext*, Firebird::IRoutineMetadata*) override {
        return new Function<Routine>;
    }
};

// The one row of a selectable procedure, computed when the procedure is opened.
class OneRow : public Firebird::IExternalResultSetImpl<OneRow, Status> {
public:
    void dispose() override { delete this; }
    FB_BOOLEAN fetch(Status*) override {
        const bool first = !fetched_;
        fetched_ = true;
        return first ? FB_TRUE : FB_FALSE;
    }

private:
    bool fetched_ = false;
};

template <typename Routine>
class Procedure : public Firebird::IExternalProcedureImpl<Procedure<Routine>, Status> {
public:
    void dispose() override { delete this; }
    void getCharSet(Status*, Firebird::IExternalContext*, char*, unsigned) override {}
    Firebird::IExternalResultSet* open(Status*, Firebird::IExternalContext* context, void* in, void* out) override {
        Routine::run(context, static_cast<const typename Routine::In*>(in), static_cast<typename Routine::Out*>(out));
        return new OneRow;
    }
};

template <typename Routine>
class ProcedureFactory : public Firebird::IUdrProcedureFactoryImpl<ProcedureFactory<Routine>, Status> {
public:
    void dispose() override {} // static
    void setup(Status* status, Firebird::IExternalContext*, Firebird::IRoutineMetadata*,
               Firebird::IMetadataBuilder* in, Firebird::IMetadataBuilder* out) override {
        describe(status, in, Routine::inFields());
        describe(status, out, Routine::outFields());
    }
    Firebird::IExternalProcedure* newItem(Status*, Firebird::IExternalContext*, Firebird::IRoutineMetadata*) override {
        return new Procedure<Routine>;
    }
};

} // namespace taxlink_udr
