#include "platform/FileCipher.h"

#include <QFile>
#include <QSaveFile>

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>

#include <array>
#include <memory>
#include <stdexcept>

namespace platform {

const char* const kPassPhrasePrefix = "TX4417";

namespace {

// File layout: header (magic, version, iterations, salt, nonce), cipher text as long as the
// plain text, GCM tag. The header is authenticated as associated data.
constexpr char kMagic[4] = {'T', 'X', 'C', 'F'};
constexpr std::uint8_t kVersion = 1;
constexpr std::uint32_t kIterations = 600000;
constexpr std::uint32_t kMaxIterations = 10000000; // refuse headers that would stall the reader
constexpr int kSaltSize = 16;
constexpr int kNonceSize = 12;
constexpr int kTagSize = 16;
constexpr int kKeySize = 32;
constexpr int kHeaderSize = 4 + 1 + 4 + kSaltSize + kNonceSize;
constexpr qint64 kChunk = 64 * 1024;

[[noreturn]] void fail(const QString& text) { throw std::runtime_error(text.toStdString()); }

struct Header {
    std::uint32_t iterations = kIterations;
    std::array<unsigned char, kSaltSize> salt{};
    std::array<unsigned char, kNonceSize> nonce{};

    QByteArray encode() const {
        QByteArray out(kMagic, 4);
        out.append(char(kVersion));
        for (int i = 0; i < 4; ++i)
            out.append(char((iterations >> (8 * i)) & 0xFF));
        out.append(reinterpret_cast<const char*>(salt.data()), kSaltSize);
        out.append(reinterpret_cast<const char*>(nonce.data()), kNonceSize);
        return out;
    }

    static Header decode(const QByteArray& bytes) {
        if (bytes.size() != kHeaderSize || !bytes.startsWith(QByteArray(kMagic, 4)))
            fail(QStringLiteral("not an enciphered file"));
        if (std::uint8_t(bytes[4]) != kVersion)
            fail(QStringLiteral("unknown cipher file version %1").arg(std::uint8_t(bytes[4])));
        Header h;
        h.iterations = 0;
        for (int i = 0; i < 4; ++i)
            h.iterations |= std::uint32_t(std::uint8_t(bytes[5 + i])) << (8 * i);
        if (h.iterations == 0 || h.iterations > kMaxIterations)
            fail(QStringLiteral("damaged cipher file header"));
        std::copy_n(reinterpret_cast<const unsigned char*>(bytes.constData()) + 9, kSaltSize, h.salt.begin());
        std::copy_n(reinterpret_cast<const unsigned char*>(bytes.constData()) + 9 + kSaltSize, kNonceSize,
                    h.nonce.begin());
        return h;
    }
};

// The AES key from the pass phrase (UTF-8), wiped when it goes out of scope.
class Key {
public:
    Key(const QString& passPhrase, const Header& header) {
        const QByteArray pass = passPhrase.toUtf8();
        if (PKCS5_PBKDF2_HMAC(pass.constData(), int(pass.size()), header.salt.data(), kSaltSize,
                              int(header.iterations), EVP_sha256(), kKeySize, bytes_.data()) != 1)
            fail(QStringLiteral("key derivation failed"));
    }
    ~Key() { OPENSSL_cleanse(bytes_.data(), bytes_.size()); }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    const unsigned char* data() const { return bytes_.data(); }

private:
    std::array<unsigned char, kKeySize> bytes_{};
};

using CipherContext = std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)>;

CipherContext newContext(bool encrypt, const Key& key, const Header& header) {
    CipherContext ctx(EVP_CIPHER_CTX_new(), &EVP_CIPHER_CTX_free);
    if (!ctx || EVP_CipherInit_ex(ctx.get(), EVP_aes_256_gcm(), nullptr, nullptr, nullptr, encrypt ? 1 : 0) != 1 ||
        EVP_CIPHER_CTX_ctrl(ctx.get(), EVP_CTRL_GCM_SET_IVLEN, kNonceSize, nullptr) != 1 ||
        EVP_CipherInit_ex(ctx.get(), nullptr, nullptr, key.data(), header.nonce.data(), -1) != 1)
        fail(QStringLiteral("cipher set-up failed"));
    const QByteArray aad = header.encode();
    int unused = 0;
    if (EVP_CipherUpdate(ctx.get(), nullptr, &unused, reinterpret_cast<const unsigned char*>(aad.constData()),
                         int(aad.size())) != 1)
        fail(QStringLiteral("cipher set-up failed"));
    return ctx;
}

void openInput(QFile& file) {
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("cannot read %1: %2").arg(file.fileName(), file.errorString()));
}

void openOutput(QSaveFile& file) {
    if (!file.open(QIODevice::WriteOnly))
        fail(QStringLiteral("cannot write %1: %2").arg(file.fileName(), file.errorString()));
}

void write(QSaveFile& file, const char* data, qint64 size) {
    if (size > 0 && file.write(data, size) != size)
        fail(QStringLiteral("cannot write %1: %2").arg(file.fileName(), file.errorString()));
}

// Runs `length` bytes of the input through the cipher into the output.
void transform(EVP_CIPHER_CTX* ctx, QFile& input, qint64 length, QSaveFile& output) {
    QByteArray in(kChunk, Qt::Uninitialized), out(kChunk + 32, Qt::Uninitialized);
    while (length > 0) {
        const qint64 got = input.read(in.data(), std::min(length, kChunk));
        if (got <= 0)
            fail(QStringLiteral("cannot read %1: %2").arg(input.fileName(), input.errorString()));
        int produced = 0;
        if (EVP_CipherUpdate(ctx, reinterpret_cast<unsigned char*>(out.data()), &produced,
                             reinterpret_cast<const unsigned char*>(in.constData()), int(got)) != 1)
            fail(QStringLiteral("cipher failed"));
        write(output, out.constData(), produced);
        length -= got;
    }
}

void commit(QSaveFile& output) {
    if (!output.commit())
        fail(QStringLiteral("cannot write %1: %2").arg(output.fileName(), output.errorString()));
}

} // namespace

void EncryptFile(const QString& source, const QString& target, const QString& passPhrase) {
    QFile input(source);
    openInput(input);
    Header header;
    if (RAND_bytes(header.salt.data(), kSaltSize) != 1 || RAND_bytes(header.nonce.data(), kNonceSize) != 1)
        fail(QStringLiteral("no random bytes"));
    const Key key(passPhrase, header);
    const CipherContext ctx = newContext(true, key, header);

    QSaveFile output(target);
    openOutput(output);
    const QByteArray headerBytes = header.encode();
    write(output, headerBytes.constData(), headerBytes.size());
    transform(ctx.get(), input, input.size(), output);
    unsigned char tail[32];
    int produced = 0;
    std::array<unsigned char, kTagSize> tag{};
    if (EVP_CipherFinal_ex(ctx.get(), tail, &produced) != 1 ||
        EVP_CIPHER_CTX_ctrl(ctx.get(), EVP_CTRL_GCM_GET_TAG, kTagSize, tag.data()) != 1)
        fail(QStringLiteral("cipher failed"));
    write(output, reinterpret_cast<const char*>(tail), produced);
    write(output, reinterpret_cast<const char*>(tag.data()), kTagSize);
    commit(output);
}

void DecryptFile(const QString& source, const QString& target, const QString& passPhrase) {
    QFile input(source);
    openInput(input);
    const qint64 bodySize = input.size() - kHeaderSize - kTagSize;
    if (bodySize < 0)
        fail(QStringLiteral("%1 is too short to be an enciphered file").arg(source));
    const Header header = Header::decode(input.read(kHeaderSize));
    const Key key(passPhrase, header);
    const CipherContext ctx = newContext(false, key, header);

    // The plain text goes only into the scratch file, which is discarded unless the tag checks.
    QSaveFile output(target);
    openOutput(output);
    transform(ctx.get(), input, bodySize, output);
    QByteArray tag = input.read(kTagSize);
    if (tag.size() != kTagSize)
        fail(QStringLiteral("cannot read %1: %2").arg(source, input.errorString()));
    unsigned char tail[32];
    int produced = 0;
    if (EVP_CIPHER_CTX_ctrl(ctx.get(), EVP_CTRL_GCM_SET_TAG, kTagSize, tag.data()) != 1 ||
        EVP_CipherFinal_ex(ctx.get(), tail, &produced) != 1)
        fail(QStringLiteral("wrong pass phrase or damaged file: %1").arg(source));
    write(output, reinterpret_cast<const char*>(tail), produced);
    commit(output);
}

} // namespace platform
