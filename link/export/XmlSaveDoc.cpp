#include "link/export/XmlSaveDoc.h"

#include "link/export/EDataExportError.h"
#include "platform/Cp932.h"

#include <QBuffer>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

namespace taxreturn {

namespace {

bool isNameStart(QChar c)
{
    return c.isLetter() || c == u'_' || c == u':';
}

bool isNameChar(QChar c)
{
    return isNameStart(c) || c.isDigit() || c == u'-' || c == u'.';
}

// A name the document can hold; anything else is a fault of the caller.
QString checkedName(const QString& name)
{
    bool valid = !name.isEmpty() && isNameStart(name.front());
    for (qsizetype i = 1; valid && i < name.size(); ++i)
        valid = isNameChar(name.at(i));
    if (!valid)
        throw EDataExportError(QStringLiteral("中間ファイルの要素名が正しくありません。"), kErrorElementName,
                               QStringLiteral("名前「%1」").arg(name));
    return name;
}

// The entity of a character XmlEscape replaces, or null. None of them is a Shift-JIS trail
// byte, so escaping CP932 bytes is escaping the text.
const char* entityOf(char c)
{
    switch (c) {
    case '&':
        return "&amp;";
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '"':
        return "&quot;";
    case '\'':
        return "&apos;";
    default:
        return nullptr;
    }
}

bool needsEscape(QByteArrayView bytes)
{
    for (const char c : bytes)
        if (entityOf(c))
            return true;
    return false;
}

// Appends the bytes with each character XmlEscape replaces written as its entity; the runs
// between them go in one piece.
void appendEscaped(QByteArrayView bytes, QByteArray& out)
{
    qsizetype run = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (const char* entity = entityOf(bytes[i])) {
            out.append(bytes.data() + run, i - run);
            out.append(entity);
            run = i + 1;
        }
    }
    out.append(bytes.data() + run, bytes.size() - run);
}

EDataExportError unwritableError(const platform::EncodingError& error, const QString& element)
{
    return EDataExportError(QStringLiteral("中間ファイルに出力できない文字があります。"), kErrorUnwritableChar,
                            QStringLiteral("%1（要素 %2）").arg(QString::fromStdString(error.what()), element));
}

// Encodes a text that is known to hold a character CP932 cannot carry; throws its error.
[[noreturn]] void throwUnwritable(const QString& text, const QString& element)
{
    try {
        platform::toCp932(text);
    } catch (const platform::EncodingError& error) {
        throw unwritableError(error, element);
    }
    throw std::logic_error("an unwritable text was written");
}

} // namespace

// The document in file order, through a buffer that goes to the device in large pieces.
class TXmlStreamWriter {
public:
    TXmlStreamWriter(const TXmlSaveDoc& doc, QIODevice& device) : doc_(doc), device_(device)
    {
        buffer_.reserve(kChunk + 1024);
    }

    void declaration()
    {
        QString text = QStringLiteral("<?xml version=\"%1\" encoding=\"%2\"").arg(doc_.version_, doc_.encoding_);
        if (!doc_.standalone_.isEmpty())
            text += QStringLiteral(" standalone=\"%1\"").arg(doc_.standalone_);
        text += QStringLiteral("?>\r\n");
        if (!platform::appendCp932(text, buffer_))
            throwUnwritable(text, QString());
    }

    void element(const TXmlNode& node)
    {
        const TXmlSaveDoc::Name& name = doc_.names_[node.name_];
        put('<');
        putName(name, name);
        for (quint32 a = node.firstAttr_; a != TXmlNode::kNone; a = doc_.attrs_[a].next) {
            const TXmlSaveDoc::Attr& attr = doc_.attrs_[a];
            put(' ');
            putName(doc_.names_[attr.name], name);
            put("=\"");
            putText(attr.value, name);
            put('"');
        }
        if (node.text_ == TXmlNode::kNone && node.firstChild_ == TXmlNode::kNone) {
            put("/>");
            return;
        }
        put('>');
        putText(node.text_, name);
        for (quint32 c = node.firstChild_; c != TXmlNode::kNone; c = doc_.nodes_[c].next_)
            element(doc_.nodes_[c]);
        put("</");
        putName(name, name);
        put('>');
    }

    void flush()
    {
        if (!buffer_.isEmpty() && !doc_.WriteChunk(device_, buffer_.constData(), buffer_.size()))
            throw EDataExportError(QStringLiteral("中間ファイルを書き込めませんでした。"), kErrorFileWrite,
                                   device_.errorString());
        buffer_.clear();
    }

private:
    static constexpr qsizetype kChunk = 256 * 1024;

    void put(char c) { buffer_ += c; }
    void put(const char* text) { buffer_ += text; }

    void putName(const TXmlSaveDoc::Name& name, const TXmlSaveDoc::Name& element)
    {
        if (name.bytes.isEmpty())
            throwUnwritable(name.text, element.text);
        buffer_ += name.bytes;
    }

    void putText(quint32 value, const TXmlSaveDoc::Name& element)
    {
        if (value == TXmlNode::kNone)
            return;
        if (value >= TXmlSaveDoc::kUnwritable) {
            const QString& text = doc_.unwritable_[value - TXmlSaveDoc::kUnwritable];
            throwUnwritable(doc_.DoubleEscape ? XmlEscape(text) : text, element.text);
        }
        const QByteArrayView bytes = doc_.texts_.at(value);
        if (doc_.DoubleEscape)
            appendEscaped(bytes, buffer_);
        else
            buffer_ += bytes;
        if (buffer_.size() >= kChunk)
            flush();
    }

    const TXmlSaveDoc& doc_;
    QIODevice& device_;
    QByteArray buffer_;
};

QString XmlEscape(const QString& text)
{
    QString result = text;
    result.replace(u'&', QStringLiteral("&amp;"));
    result.replace(u'<', QStringLiteral("&lt;"));
    result.replace(u'>', QStringLiteral("&gt;"));
    result.replace(u'"', QStringLiteral("&quot;"));
    result.replace(u'\'', QStringLiteral("&apos;"));
    return result;
}

QString TXmlNode::name() const
{
    return doc_->names_[name_].text;
}

QString TXmlNode::text() const
{
    return doc_->textOf(text_);
}

TXmlNodeAttrs TXmlNode::attributes() const
{
    TXmlNodeAttrs attrs;
    for (quint32 a = firstAttr_; a != kNone; a = doc_->attrs_[a].next)
        attrs.append({doc_->names_[doc_->attrs_[a].name].text, doc_->textOf(doc_->attrs_[a].value)});
    return attrs;
}

std::vector<TXmlNode*> TXmlNode::children() const
{
    std::vector<TXmlNode*> nodes;
    for (quint32 c = firstChild_; c != kNone; c = doc_->nodes_[c].next_)
        nodes.push_back(&doc_->nodes_[c]);
    return nodes;
}

TXmlSaveDoc::TXmlSaveDoc(const QString& version, const QString& encoding, const QString& standalone)
    : version_(version), encoding_(encoding), standalone_(standalone)
{
}

TXmlSaveDoc::~TXmlSaveDoc() = default;

quint32 TXmlSaveDoc::internName(const QString& name)
{
    // Callers pass the same few literal names again and again: a name seen at the same address
    // is confirmed by its characters (an interned name is its own escaped form) without hashing.
    NameHint& hint = nameHints_[(quintptr(name.constData()) >> 4) % nameHints_.size()];
    if (hint.data == name.constData() && hint.index < names_.size() && names_[hint.index].text == name)
        return hint.index;
    if (const auto found = nameIndex_.constFind(name); found != nameIndex_.constEnd()) {
        hint = {name.constData(), *found};
        return *found;
    }
    // A valid name has nothing to escape; escaping first lets the check refuse a name that has.
    Name entry{checkedName(XmlEscape(name)), {}};
    platform::appendCp932(entry.text, entry.bytes);
    names_.push_back(std::move(entry));
    const quint32 index = quint32(names_.size() - 1);
    nameIndex_.insert(name, index);
    return index;
}

quint32 TXmlSaveDoc::storeText(const QString& text)
{
    if (text.isEmpty())
        return TXmlNode::kNone;
    scratch_.clear();
    if (!platform::appendCp932(text, scratch_)) {
        unwritable_.push_back(XmlEscape(text));
        return kUnwritable + quint32(unwritable_.size() - 1);
    }
    if (!needsEscape(scratch_))
        return texts_.add(scratch_);
    QByteArray escaped;
    appendEscaped(scratch_, escaped);
    return texts_.add(escaped);
}

QString TXmlSaveDoc::textOf(quint32 value) const
{
    if (value == TXmlNode::kNone)
        return QString();
    if (value >= kUnwritable)
        return unwritable_[value - kUnwritable];
    const QByteArrayView bytes = texts_.at(value);
    return platform::fromCp932(bytes.data(), bytes.size());
}

IXMLNode TXmlSaveDoc::newNode(const QString& name)
{
    const quint32 interned = internName(name);
    nodes_.push_back(TXmlNode(this, interned));
    return &nodes_.back();
}

IXMLNode TXmlSaveDoc::CreateRoot(const QString& name, const QString& namespaceUri)
{
    root_ = newNode(name);
    if (!namespaceUri.isEmpty())
        setAttribute(*root_, QStringLiteral("xmlns"), namespaceUri);
    return root_;
}

IXMLNode TXmlSaveDoc::parentOrRoot(IXMLNode parent) const
{
    if (parent)
        return parent;
    if (!root_)
        throw EDataExportError(QStringLiteral("中間ファイルのルート要素がありません。"), kErrorElementName, {});
    return root_;
}

void TXmlSaveDoc::setAttribute(TXmlNode& node, const QString& name, const QString& value)
{
    const quint32 interned = internName(name);
    quint32 last = TXmlNode::kNone;
    for (quint32 a = node.firstAttr_; a != TXmlNode::kNone; a = attrs_[a].next) {
        if (attrs_[a].name == interned) {
            attrs_[a].value = storeText(value);
            return;
        }
        last = a;
    }
    attrs_.push_back({interned, storeText(value)});
    const quint32 added = quint32(attrs_.size() - 1);
    (last == TXmlNode::kNone ? node.firstAttr_ : attrs_[last].next) = added;
}

// The one-attribute forms build no attribute list: the ledger adds millions of elements that
// have no attribute at all.
IXMLNode TXmlSaveDoc::AddNode(IXMLNode parent, const QString& name, const QString& attrName,
                              const QString& attrValue)
{
    IXMLNode node = appendChild(parent, name);
    if (!attrName.isEmpty())
        setAttribute(*node, attrName, attrValue);
    return node;
}

void TXmlSaveDoc::AddTextNode(IXMLNode parent, const QString& name, const QString& attrName,
                              const QString& attrValue, const QString& text)
{
    AddNode(parent, name, attrName, attrValue)->text_ = storeText(text);
}

IXMLNode TXmlSaveDoc::appendChild(IXMLNode parent, const QString& name)
{
    TXmlNode* owner = parentOrRoot(parent);
    IXMLNode node = newNode(name);
    const quint32 index = quint32(nodes_.size() - 1);
    if (owner->lastChild_ == TXmlNode::kNone)
        owner->firstChild_ = index;
    else
        nodes_[owner->lastChild_].next_ = index;
    owner->lastChild_ = index;
    return node;
}

IXMLNode TXmlSaveDoc::AddNodeAttrs(IXMLNode parent, const QString& name, const TXmlNodeAttrs& attrs)
{
    IXMLNode node = appendChild(parent, name);
    for (const TXmlNodeAttr& attr : attrs)
        if (!attr.Name.isEmpty())
            setAttribute(*node, attr.Name, attr.Value);
    return node;
}

void TXmlSaveDoc::AddTextNodeAttrs(IXMLNode parent, const QString& name, const QString& text,
                                   const TXmlNodeAttrs& attrs)
{
    AddNodeAttrs(parent, name, attrs)->text_ = storeText(text);
}

bool TXmlSaveDoc::WriteChunk(QIODevice& device, const char* data, qint64 size) const
{
    return device.write(data, size) == size;
}

bool TXmlSaveDoc::hasUnwritable() const
{
    if (!unwritable_.empty())
        return true;
    for (const Name& name : names_)
        if (name.bytes.isEmpty())
            return true;
    return false;
}

void TXmlSaveDoc::stream(QIODevice& device) const
{
    TXmlStreamWriter writer(*this, device);
    writer.declaration();
    if (root_)
        writer.element(*root_);
    writer.flush();
}

QByteArray TXmlSaveDoc::SaveToBytes() const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    stream(buffer);
    return bytes;
}

void TXmlSaveDoc::SaveToFile(const QString& fileName) const
{
    // A character the file cannot carry is reported before the file is touched.
    if (hasUnwritable())
        SaveToBytes();
    QSaveFile file(fileName);
    // The temporary file must lie beside the target so that the final step is a rename.
    file.setDirectWriteFallback(false);
    errno = 0;
    const auto writeError = [&] {
        // The file class words a failed write only generally (a full disk, a size limit): the
        // system's text for the failed call names the cause.
        const int cause = errno;
        QString reason = file.errorString();
        if (cause != 0)
            reason = QString::fromLocal8Bit(std::strerror(cause));
        return EDataExportError(QStringLiteral("中間ファイルを書き込めませんでした。"), kErrorFileWrite,
                                QStringLiteral("%1: %2").arg(QFileInfo(fileName).absoluteFilePath(), reason));
    };
    if (!file.open(QIODevice::WriteOnly))
        throw writeError();
    try {
        stream(file);
    } catch (const EDataExportError& error) {
        const int cause = errno;
        file.cancelWriting();
        errno = cause;
        if (error.ErrorCode == kErrorFileWrite)
            throw writeError();
        throw;
    }
    if (!file.commit())
        throw writeError();
}

} // namespace taxreturn
